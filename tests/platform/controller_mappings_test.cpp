#include "files.h"
#include "xinput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

// A player's gamecontrollerdb.txt beside the data teaches SDL pads it does not know.
TEST(ControllerMappings, AFileBesideTheDataIsReadAndItsAbsenceIsQuiet)
{
    const std::string file = platform::dataDirectory() + "gamecontrollerdb.txt";
    ASSERT_FALSE(fs::exists(file)) << "the build ships no pad layouts";
    EXPECT_EQ(platform::loadControllerMappingsBesideData(), 0);

    std::ofstream(file) << "# a made-up pad\n"
                           "03000000ee1100000b00000000000000,Keelhaven Test Wheel,a:b0,b:b1,start:b7,"
                           "leftx:a0,lefty:a1,platform:Linux,\n"
                           "03000000ee1100000c00000000000000,Keelhaven Other Pad,a:b0,platform:Windows,\n";
    int added = platform::loadControllerMappingsBesideData();
    fs::remove(file);
    EXPECT_EQ(added, 1) << "the Linux layout only";
}
