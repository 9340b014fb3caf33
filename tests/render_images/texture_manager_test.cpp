// Texture manager: single pictures and list files (missing and empty
// entries, the last line without a line end), sizes, and the lost-device
// release and reload.
#include "headless_graphics.h"
#include "support/png_file.h"

#include "base/game_error.h"
#include "render/texture_manager.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using headless::graphics;
using headless::scratchDir;

namespace {

std::string picture(const std::string& name, int w, int h)
{
    const std::string path = scratchDir() + name;
    EXPECT_TRUE(test_pictures::writeSolidPng(path, w, h, 0xFFFFFFFF));
    return path;
}

std::string listFile(const std::string& name, const std::string& text)
{
    const std::string path = scratchDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

}  // namespace

TEST(TextureManager, LoadsOnePictureAndItsSize)
{
    TextureManager tm;
    ASSERT_TRUE(tm.initialize(&graphics(), picture("one.png", 24, 10)));
    ASSERT_EQ(tm.getCount(), 1u);
    EXPECT_NE(tm.getTexture(0), nullptr);
    EXPECT_EQ(tm.getWidth(0), 24u);
    EXPECT_EQ(tm.getHeight(0), 10u);
}

TEST(TextureManager, OutOfRangeAsksGiveNullAndZero)
{
    TextureManager empty;
    EXPECT_EQ(empty.getTexture(0), nullptr);
    EXPECT_EQ(empty.getWidth(0), 0u);
    EXPECT_EQ(empty.getHeight(0), 0u);
    empty.onLostDevice();  // before initialize: nothing
    empty.onResetDevice();
    EXPECT_EQ(empty.getCount(), 0u);

    const std::string a = picture("range_a.png", 4, 4);
    TextureManager three;
    ASSERT_TRUE(three.initialize(&graphics(), listFile("range.txt", a + "\n" + a + "\n" + a + "\n")));
    ASSERT_EQ(three.getCount(), 3u);
    EXPECT_NE(three.getTexture(2), nullptr);
    EXPECT_EQ(three.getTexture(3), nullptr);
    EXPECT_EQ(three.getWidth(3), 0u);
}

// A picture that does not load fails the whole manager, so that the caller's
// error ends the game rather than let it play on with the picture invisible;
// standard error names the file, once, and why.
TEST(TextureManager, APictureThatDoesNotLoadFailsAndIsNamedOnceWithWhy)
{
    const std::string a = picture("gap_a.png", 8, 6);
    const std::string c = picture("gap_c.png", 10, 12);
    ::testing::internal::CaptureStderr();
    TextureManager tm;
    EXPECT_FALSE(tm.initialize(&graphics(), listFile("gap.txt", a + "\n" + scratchDir() + "nowhere.png\n" + c + "\n")));
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(tm.getTexture(1), nullptr);
    const size_t named = said.find("nowhere.png cannot be loaded: there is no such file");
    ASSERT_NE(named, std::string::npos) << said;
    EXPECT_EQ(said.find("nowhere.png", named + 1), std::string::npos) << "named once: " << said;

    // A folder where the picture should be, and an empty entry in a list.
    std::filesystem::create_directories(scratchDir() + "folder.png");
    ::testing::internal::CaptureStderr();
    TextureManager folder;
    EXPECT_FALSE(folder.initialize(&graphics(), scratchDir() + "folder.png"));
    TextureManager emptyEntry;
    EXPECT_FALSE(emptyEntry.initialize(&graphics(), listFile("emptyentry.txt", a + "\n\n" + c + "\n")));
    said = ::testing::internal::GetCapturedStderr();
    std::filesystem::remove(scratchDir() + "folder.png");
    EXPECT_NE(said.find("folder.png cannot be loaded: it is a folder"), std::string::npos) << said;
    EXPECT_NE(said.find("entry 2 of a picture list names no picture"), std::string::npos) << said;
}

// A picture gone since the start, found missing when a renderer reset makes
// every texture again, is as fatal as at the start.
TEST(TextureManager, APictureGoneBeforeARendererResetIsFatal)
{
    const std::string path = picture("goes.png", 4, 4);
    TextureManager tm;
    ASSERT_TRUE(tm.initialize(&graphics(), path));
    tm.onLostDevice();
    platform::testing::loseRendererTextures();
    graphics().reset();
    std::filesystem::remove(path);
    ::testing::internal::CaptureStderr();
    EXPECT_THROW(tm.onResetDevice(), GameError);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("goes.png cannot be loaded"), std::string::npos) << said;
}

TEST(TextureManager, OnlyLinesWithALineEndCount)
{
    const std::string a = picture("lines_a.png", 2, 2);
    const std::string b = picture("lines_b.png", 3, 3);

    TextureManager noFinalEnd;
    ASSERT_TRUE(noFinalEnd.initialize(&graphics(), listFile("noend.txt", a + "\n" + b)));
    ASSERT_EQ(noFinalEnd.getCount(), 1u) << "the last line has no line end";
    EXPECT_EQ(noFinalEnd.getFileName(0), a);

    std::istringstream emptyLine(a + "\n\n" + b + "\n");
    EXPECT_EQ(readPictureList(emptyLine), (std::vector<std::string>{a, "", b})) << "an empty line is an entry";

    TextureManager windowsEnds;
    ASSERT_TRUE(windowsEnds.initialize(&graphics(), listFile("crlf.txt", a + "\r\n" + b + "\r\n")));
    ASSERT_EQ(windowsEnds.getCount(), 2u);
    EXPECT_EQ(windowsEnds.getWidth(1), 3u);

    TextureManager nothing;
    EXPECT_TRUE(nothing.initialize(&graphics(), listFile("blank.txt", "")));
    EXPECT_EQ(nothing.getCount(), 0u);
}

TEST(TextureManager, ListFilesAreKnownByTheLowerCasedName)
{
    const std::string a = picture("case_a.png", 5, 7);
    listFile("upper.txt", a + "\n");
    TextureManager upper;
    ASSERT_TRUE(upper.initialize(&graphics(), scratchDir() + "UPPER.TXT"));
    ASSERT_EQ(upper.getCount(), 1u);
    EXPECT_EQ(upper.getHeight(0), 7u);

    // Only a name ending in ".txt" is a list.
    picture("list.txt.png", 9, 9);
    TextureManager notAList;
    ASSERT_TRUE(notAList.initialize(&graphics(), scratchDir() + "List.TXT.png"));
    ASSERT_EQ(notAList.getCount(), 1u);
    EXPECT_EQ(notAList.getWidth(0), 9u);

    ::testing::internal::CaptureStderr();
    TextureManager shortName;
    EXPECT_FALSE(shortName.initialize(&graphics(), "txt"));
    EXPECT_EQ(shortName.getCount(), 1u) << "too short to end in .txt: a picture";
    ::testing::internal::GetCapturedStderr();

    TextureManager missingList;
    EXPECT_FALSE(missingList.initialize(&graphics(), scratchDir() + "nolist.txt"));
    EXPECT_EQ(missingList.getCount(), 0u);
}

TEST(TextureManager, TheGamesTileListLoads)
{
    TextureManager tiles;
    ASSERT_TRUE(tiles.initialize(&graphics(), "pictures\\Tiles.txt"));
    ASSERT_GT(tiles.getCount(), 0u);
    for (UINT i = 0; i < tiles.getCount(); ++i)
        EXPECT_NE(tiles.getTexture(i), nullptr) << tiles.getFileName(i);
}

TEST(TextureManager, LostDeviceReleasesEverythingAndResetReloads)
{
    const std::string a = picture("lost_a.png", 6, 6);
    const std::string b = picture("lost_b.png", 7, 7);
    TextureManager tm;
    ASSERT_TRUE(tm.initialize(&graphics(), listFile("lost.txt", a + "\n" + b + "\n")));
    const int live = platform::testing::liveDefaultPoolObjects();

    tm.onLostDevice();
    EXPECT_EQ(tm.getTexture(0), nullptr);
    EXPECT_EQ(tm.getTexture(1), nullptr);
    EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), live - 2);
    tm.onLostDevice();  // twice is harmless

    tm.onResetDevice();
    EXPECT_NE(tm.getTexture(0), nullptr);
    EXPECT_NE(tm.getTexture(1), nullptr);
    EXPECT_EQ(tm.getWidth(1), 7u);
    EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), live);
}

TEST(TextureManager, DestructionReleasesTheTextures)
{
    graphics();  // the device's own objects count too: create it first
    const int before = platform::testing::liveDefaultPoolObjects();
    {
        TextureManager tm;
        ASSERT_TRUE(tm.initialize(&graphics(), picture("gone.png", 3, 3)));
        EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), before + 1);
    }
    EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), before);
}

namespace {

// A texture that fails when released, as a stale pointer would.
struct BrokenTexture final : IDirect3DTexture9 {
    ULONG AddRef() override { return 1; }
    ULONG Release() override { throw std::runtime_error("invalid texture"); }
};

struct ManagerWithABrokenTexture : TextureManager {
    BrokenTexture broken;
    void breakTexture(UINT n) { texture.at(n) = &broken; }
    void forget(UINT n) { texture.at(n) = nullptr; }
};

}  // namespace

TEST(TextureManager, AnInvalidTextureOnLostDeviceIsAWarning)
{
    ManagerWithABrokenTexture tm;
    ASSERT_TRUE(tm.initialize(&graphics(), picture("broken_later.png", 2, 2)));
    tm.getTexture(0)->Release();  // the broken one stands in for it

    tm.breakTexture(0);
    try {
        tm.onLostDevice();
        ADD_FAILURE() << "expected a GameError";
    } catch (const GameError& e) {
        EXPECT_EQ(e.getErrorCode(), WARNING);
        EXPECT_STREQ(e.getMessage(), "Warning, TextureManager onLostDevice attempted to access an invalid texture.");
    }
    tm.forget(0);
}

// A damaged picture found by fuzzing made the decoder loop for ever: it is
// refused before decoding, as a missing one is.
TEST(TextureManager, ADamagedPictureIsRefusedNotDecoded)
{
    const std::string damaged =
        (std::filesystem::path(__FILE__).parent_path().parent_path() / "platform" / "damaged" / "picture-decoder-loops.png")
            .string();
    ::testing::internal::CaptureStderr();
    TextureManager tm;
    EXPECT_FALSE(tm.initialize(&graphics(), damaged));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(tm.getTexture(0), nullptr);
    EXPECT_NE(said.find("picture-decoder-loops.png"), std::string::npos) << said;
}
