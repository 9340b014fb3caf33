#include "files.h"

#include "support/save_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// KEELHAVEN_SAVE_DIR as it was before a test pointed it elsewhere: the tests
// that follow would otherwise write their saves into a folder made here.
class SaveDirRestored {
public:
    SaveDirRestored()
    {
        const char* was = std::getenv("KEELHAVEN_SAVE_DIR");
        had = was != nullptr;
        value = was ? was : "";
    }
    ~SaveDirRestored()
    {
        if (had)
            setenv("KEELHAVEN_SAVE_DIR", value.c_str(), 1);
        else
            unsetenv("KEELHAVEN_SAVE_DIR");
    }

private:
    bool had = false;
    std::string value;
};

}  // namespace

TEST(Paths, WindowsNamesResolveBesideTheProgramIgnoringCase)
{
    std::string dir = platform::dataDirectory() + "PathCase/Sub/";
    fs::create_directories(dir);
    std::ofstream(dir + "Tiles.TXT") << "x";

    EXPECT_EQ(platform::resolvePath("pathcase\\sub\\tiles.txt"), dir + "Tiles.TXT");
    EXPECT_EQ(platform::resolvePath("PATHCASE/SUB/TILES.txt"), dir + "Tiles.TXT");
    // A name not yet on disk keeps its own spelling, under the folders found.
    EXPECT_EQ(platform::resolvePath("pathcase\\sub\\New.txt"), dir + "New.txt");
    fs::remove_all(platform::dataDirectory() + "PathCase");
}

TEST(Paths, SaveFilesGoToTheRedirectedSaveFolder)
{
    SaveDirRestored restored;
    std::string saves = (fs::temp_directory_path() / "keelhaven-paths-test").string();
    fs::remove_all(saves);
    setenv("KEELHAVEN_SAVE_DIR", saves.c_str(), 1);
    EXPECT_EQ(platform::resolvePath("saveFiles\\HighScores.txt"), saves + "/HighScores.txt");
    EXPECT_TRUE(fs::is_directory(saves)) << "the save folder is made on first use";
    fs::remove_all(saves);
}

TEST(Paths, TheShippedDataIsFoundWhateverTheWorkingDirectory)
{
    auto before = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    std::string tiles = platform::resolvePath("pictures\\Tiles.txt");
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(tiles)) << tiles;
}

TEST(Paths, SaveNamesNeverLeaveTheSaveFolder)
{
    testsupport::SaveFolder saves;
    const std::string dir = saves.path().string() + "/";
    EXPECT_EQ(platform::resolveSavePath("saveFiles\\StateSave.txt"), dir + "StateSave.txt");
    EXPECT_EQ(platform::resolveSavePath("SAVEFILES/sub\\x.txt"), dir + "sub/x.txt");
    for (const char* bad : {"saveFiles\\..\\..\\x", "saveFiles\\a\\..\\..\\x", "saveFiles\\..", "/saveFiles/x",
                            "\\saveFiles\\x", "saveFiles\\C:\\x", "saveFiles", "saveFiles\\", "pictures\\x.png", ""}) {
        EXPECT_EQ(platform::resolveSavePath(bad), "") << bad;
        if (std::string(bad).rfind("saveFiles", 0) == 0) {
            EXPECT_EQ(platform::resolvePath(bad), "") << bad;
        }
    }
}

TEST(Paths, ASaveFolderThatIsAFileIsReported)
{
    SaveDirRestored restored;
    testsupport::SaveFolder holder;
    const std::string file = holder.file("not-a-folder").string();
    testsupport::writeFile(file, "x");
    setenv("KEELHAVEN_SAVE_DIR", file.c_str(), 1);
    std::string problem;
    EXPECT_FALSE(platform::checkSaveDirectory(problem));
    EXPECT_NE(problem.find(file), std::string::npos) << problem;
    EXPECT_NE(problem.find("is a file"), std::string::npos) << problem;
    EXPECT_NE(problem.find("KEELHAVEN_SAVE_DIR"), std::string::npos) << problem;
    EXPECT_EQ(testsupport::readFile(file), "x") << "the file is left alone";
}

// XDG_DATA_HOME that is empty or relative is ignored, as the XDG rules say:
// the saves go under ~/.local/share, never to the root or the working folder.
TEST(Paths, AnUnusableXdgDataHomeFallsBackToTheHomeFolder)
{
    testsupport::SaveFolder home;
    const char* savedHome = std::getenv("HOME");
    const std::string oldHome = savedHome ? savedHome : "";
    const char* savedSaveDir = std::getenv("KEELHAVEN_SAVE_DIR");
    const std::string oldSaveDir = savedSaveDir ? savedSaveDir : "";
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("KEELHAVEN_SAVE_DIR");
    for (const char* xdg : {"", "relative/share"}) {
        setenv("XDG_DATA_HOME", xdg, 1);
        EXPECT_EQ(platform::saveDirectory(), home.path().string() + "/.local/share/Keelhaven/") << xdg;
    }
    setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
    EXPECT_EQ(platform::saveDirectory(), (home.path() / "data").string() + "/Keelhaven/");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(platform::saveDirectory(), home.path().string() + "/.local/share/Keelhaven/");
    EXPECT_FALSE(fs::exists("relative")) << "nothing made under the working folder";
    setenv("HOME", oldHome.c_str(), 1);
    setenv("KEELHAVEN_SAVE_DIR", oldSaveDir.c_str(), 1);
}
