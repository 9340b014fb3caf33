// A path resolvePath gave back resolves to itself (pictures are loaded again
// from the path found the first time), and absolute names it would rewrite
// or refuse still are.
#include "files.h"

#include <gtest/gtest.h>

TEST(ResolvedPaths, AFoundPathResolvesToItselfAndOthersAreStillTidied)
{
    const std::string tiles = platform::resolvePath("pictures\\Tiles.txt");
    ASSERT_EQ(tiles.front(), '/');
    EXPECT_EQ(platform::resolvePath(tiles), tiles);
    EXPECT_EQ(platform::resolvePath("/a/b/../c.png"), "/a/b/../c.png");

    EXPECT_EQ(platform::resolvePath("/a//b/./c.png"), "/a/b/c.png");
    EXPECT_EQ(platform::resolvePath("/a/b/"), "/a/b");
    EXPECT_EQ(platform::resolvePath("/a/b/."), "/a/b");
    EXPECT_EQ(platform::resolvePath("/a\\b.png"), "/a/b.png");
    EXPECT_EQ(platform::resolvePath("/"), "/");
    EXPECT_EQ(platform::resolvePath("/saveFiles/x.txt"), "") << "an absolute save name is refused";
    EXPECT_EQ(platform::resolvePath("/SAVEFILES"), "");
}
