#include "files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

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
