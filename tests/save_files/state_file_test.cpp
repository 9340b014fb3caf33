#include "keelhaven/state_file.h"

#include <gtest/gtest.h>

TEST(StateFile, ANameAndANumberAndNothingElse)
{
    EXPECT_EQ(stateFileText("LEVEL7", 8), "LEVEL7\n8");
    std::string name = "before";
    int next = -1;
    EXPECT_TRUE(readStateFile("LEVEL7\r\n8", name, next));
    EXPECT_EQ(name, "LEVEL7");
    EXPECT_EQ(next, 8);
    for (const char* bad : {"", "LEVEL7", "LEVEL7\n8\n9", "LEVEL7\n8x", "LEVEL7\n1e30", "LEVEL7\n99999999999",
                            "LEVEL7\n-", "\n\n"}) {
        name = "before";
        next = -1;
        EXPECT_FALSE(readStateFile(bad, name, next)) << bad;
        EXPECT_EQ(name, "before") << "nothing is changed by a refused file";
        EXPECT_EQ(next, -1);
    }
}
