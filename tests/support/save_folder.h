// A save folder of the test's own: KEELHAVEN_SAVE_DIR points at a new, empty
// folder for the object's lifetime, and the folder is removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace testsupport {

class SaveFolder {
public:
    SaveFolder();
    ~SaveFolder();
    SaveFolder(const SaveFolder&) = delete;
    SaveFolder& operator=(const SaveFolder&) = delete;

    const std::filesystem::path& path() const { return dir; }
    std::filesystem::path file(const std::string& name) const { return dir / name; }
    // Names of everything in the folder, sorted ("HighScores.txt", ...).
    std::string listing() const;

private:
    std::filesystem::path dir;
    std::string previous;
    bool hadPrevious = false;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file in `folder` by name, with its bytes: to check a folder was
// left byte for byte as it was.
inline std::map<std::string, std::string> folderContents(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace testsupport
