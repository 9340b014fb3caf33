#include "files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A disk on which only `withData` hold the game's data; remembers what was asked.
struct FakeDisk {
    explicit FakeDisk(std::set<std::string> dirs = {}) : withData(std::move(dirs)) {}
    std::set<std::string> withData;
    std::vector<std::string> asked;

    std::function<bool(const std::string&)> holdsData()
    {
        return [this](const std::string& dir) {
            asked.push_back(dir);
            return withData.count(dir) > 0;
        };
    }
};

}  // namespace

TEST(DataDirectory, ABuildTreeUsesTheDataBesideTheProgram)
{
    FakeDisk disk{{"/src/build/bin/", "/src/build/share/keelhaven/"}};
    EXPECT_EQ(platform::chooseDataDirectory("", "/src/build/bin/", disk.holdsData()), "/src/build/bin/");
}

TEST(DataDirectory, AnInstalledProgramFindsShareKeelhavenUnderItsOwnPrefix)
{
    FakeDisk usr{{"/usr/share/keelhaven/"}};
    EXPECT_EQ(platform::chooseDataDirectory("", "/usr/bin/", usr.holdsData()), "/usr/share/keelhaven/");
    EXPECT_EQ(usr.asked, (std::vector<std::string>{"/usr/bin/", "/usr/share/keelhaven/"}))
        << "beside the program is tried first";

    // A scratch root or a home-made prefix, and SDL's base path without its slash.
    FakeDisk scratch{{"/tmp/root/usr/local/share/keelhaven/"}};
    EXPECT_EQ(platform::chooseDataDirectory("", "/tmp/root/usr/local/bin", scratch.holdsData()),
              "/tmp/root/usr/local/share/keelhaven/");
}

TEST(DataDirectory, KeelhavenDataDirWinsAndIsNotSecondGuessed)
{
    FakeDisk disk{{"/usr/bin/", "/usr/share/keelhaven/"}};
    EXPECT_EQ(platform::chooseDataDirectory("/home/me/mydata", "/usr/bin/", disk.holdsData()), "/home/me/mydata/");
    EXPECT_TRUE(disk.asked.empty()) << "a folder asked for is used even if it lacks the data";
}

TEST(DataDirectory, WithNoDataAnywhereTheFolderBesideTheProgramIsNamed)
{
    FakeDisk empty;
    EXPECT_EQ(platform::chooseDataDirectory("", "/opt/kh/bin/", empty.holdsData()), "/opt/kh/bin/");
    EXPECT_EQ(platform::chooseDataDirectory("", "", empty.holdsData()), fs::current_path().string() + "/")
        << "no known program folder: the working directory, as before";
}

// A folder named relatively is the same folder named absolutely: resolved
// once, from the working directory, so no name found in it is looked up
// under it a second time ("data/data/pictures").
TEST(DataDirectory, ARelativeDataFolderBecomesAbsolute)
{
    FakeDisk disk;
    const std::string here = fs::current_path().string();
    EXPECT_EQ(platform::chooseDataDirectory("data", "/usr/bin/", disk.holdsData()), here + "/data/");
    EXPECT_EQ(platform::chooseDataDirectory("./data/", "/usr/bin/", disk.holdsData()), here + "/data/");
    EXPECT_EQ(platform::chooseDataDirectory("/srv//kh/./data", "/usr/bin/", disk.holdsData()), "/srv/kh/data/");
}
