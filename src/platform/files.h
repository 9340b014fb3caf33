// Where the game's files live. The game names files Windows-style, relative to
// the program ("pictures\\Tiles.txt", "saveFiles\\HighScores.txt"); this is the
// one place that turns such a name into a real path.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Backslashes become slashes and each name is matched case-insensitively
// against what is on disk. Names under "saveFiles" go to the user's data
// directory (KEELHAVEN_SAVE_DIR when set); everything else is looked up in the
// run-time data beside the executable (KEELHAVEN_DATA_DIR when set). A name
// that does not exist yet (a save about to be written) keeps its spelling.
std::string resolvePath(std::string_view gamePath);

// The directory holding the run-time data (pictures/, levels/), ending in '/'.
std::string dataDirectory();

// The directory for save files, ending in '/'; created on first use.
std::string saveDirectory();

}  // namespace platform
