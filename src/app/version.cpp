// Placeholder translation unit so the game library always has a source.
namespace keelhaven { const char* versionText() { return "0.1"; } }
