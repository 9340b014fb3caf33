// A large picture's texels kept between runs: the first run decodes it and
// keeps them, the next copies them in and draws exactly the same pixels, and
// a kept file that is damaged, stale or not a file at all is passed over
// (the picture is decoded again and the file made anew).
#include "support/headless.h"
#include "support/png_file.h"
#include "testing.h"
#include "texel_cache.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using testsupport::HeadlessGraphics;
using testsupport::Picture;

namespace fs = std::filesystem;

namespace {

constexpr int SIDE = 1000;  // a million texels: just large enough to be kept
constexpr std::uint32_t KEY = 0xFF00FF00;

std::vector<std::uint32_t> texels(std::uint32_t seed)
{
    std::vector<std::uint32_t> px(static_cast<size_t>(SIDE) * SIDE);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | ((seed * 2654435761u + static_cast<std::uint32_t>(i) * 40503u) & 0x00FFFFFFu);
    for (size_t i = 0; i < 500; ++i)
        px[i * 7] = KEY;  // some texels see-through, so the picture keeps its alpha
    return px;
}

class KeptTexels : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/keelhaven-cache-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        cache = pattern;
        setenv("KEELHAVEN_CACHE_DIR", cache.c_str(), 1);
        writePicture(1);
    }
    void TearDown() override
    {
        setenv("KEELHAVEN_CACHE_DIR", "", 1);
        std::error_code ec;
        fs::remove_all(cache, ec);
        fs::remove(testsupport::scratchRealPath("large.png"), ec);
    }
    void writePicture(std::uint32_t seed)
    {
        ASSERT_TRUE(test_pictures::writePng(testsupport::scratchRealPath("large.png"), SIDE, SIDE, texels(seed)));
    }
    // The picture drawn at the corner by a device of its own, as a new run draws it.
    static Picture drawInNewRun()
    {
        HeadlessGraphics g;
        Graphics& gr = g.graphics();
        UINT w = 0, h = 0;
        LP_TEXTURE t = nullptr;
        EXPECT_EQ(gr.loadTexture(testsupport::scratchGamePath("large.png").c_str(), w, h, t), D3D_OK);
        gr.setBackColor(0xFF000080);
        gr.beginScene();
        gr.spriteBegin();
        SpriteData sd;
        sd.width = static_cast<int>(w);
        sd.height = static_cast<int>(h);
        sd.rect = RECT{0, 0, static_cast<LONG>(w), static_cast<LONG>(h)};
        sd.texture = t;
        gr.drawSprite(sd, graphicsNS::WHITE);
        gr.spriteEnd();
        gr.endScene();
        Picture p = testsupport::readBack();
        if (t)
            t->Release();
        return p;
    }
    fs::path keptFile() const
    {
        platform::TexelSource source;
        std::string path;
        EXPECT_TRUE(platform::findTexelFile(testsupport::scratchRealPath("large.png"), KEY, source, path));
        return path;
    }
    fs::path cache;
};

}  // namespace

TEST_F(KeptTexels, TheNextRunCopiesTheTexelsInAndDrawsTheSamePixels)
{
    const int decodes = platform::testing::pictureDecodes();
    const int reads = platform::testing::keptTexelFilesRead();
    const Picture first = drawInNewRun();
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1);
    ASSERT_TRUE(fs::is_regular_file(keptFile())) << "the decoded texels are kept";

    const Picture second = drawInNewRun();
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1) << "not decoded again";
    EXPECT_EQ(platform::testing::keptTexelFilesRead(), reads + 1);
    EXPECT_EQ(second.pixels, first.pixels);
    EXPECT_EQ(first.at(0, 0), 0xFF000080u) << "the key colour stays see-through";
}

TEST_F(KeptTexels, AKeptFileThatCannotBeUsedIsPassedOverAndMadeAnew)
{
    const Picture truth = drawInNewRun();
    const fs::path kept = keptFile();
    std::string good;
    {
        std::ifstream in(kept, std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(good.size(), 4'000'000u);

    auto flipped = good;
    flipped[good.size() / 2] ^= 0x01;  // one texel
    auto header = good;
    header[12] = 0x7F;  // the width
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"a texel changed", flipped},
        {"cut short", good.substr(0, good.size() - 4)},
        {"one byte too many", good + '\0'},
        {"a damaged header", header},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        const int decodes = platform::testing::pictureDecodes();
        std::ofstream(kept, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_EQ(drawInNewRun().pixels, truth.pixels);
        EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1) << "decoded again";
        EXPECT_EQ(fs::file_size(kept), good.size()) << "and kept anew";
    }

    // A folder or a pipe where the file should be: passed over, never waited on.
    for (const char* what : {"folder", "pipe"}) {
        SCOPED_TRACE(what);
        fs::remove(kept);
        if (std::string(what) == "folder")
            fs::create_directory(kept);
        else
            ASSERT_EQ(mkfifo(kept.c_str(), 0600), 0);
        EXPECT_EQ(drawInNewRun().pixels, truth.pixels);
        std::error_code ec;
        fs::remove_all(kept, ec);
    }
}

TEST_F(KeptTexels, AChangedPictureIsDecodedAgain)
{
    const Picture before = drawInNewRun();
    writePicture(2);
    // Its time of change is what tells; make sure it moved.
    fs::last_write_time(testsupport::scratchRealPath("large.png"),
                        fs::last_write_time(keptFile()) + std::chrono::seconds(5));
    const int decodes = platform::testing::pictureDecodes();
    const Picture after = drawInNewRun();
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1);
    EXPECT_NE(after.pixels, before.pixels);
    EXPECT_EQ(drawInNewRun().pixels, after.pixels) << "and the new texels are kept";
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1);
}

TEST_F(KeptTexels, NoCacheFolderKeepsNothing)
{
    setenv("KEELHAVEN_CACHE_DIR", "", 1);
    const int decodes = platform::testing::pictureDecodes();
    const Picture first = drawInNewRun();
    EXPECT_EQ(drawInNewRun().pixels, first.pixels);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 2);
    EXPECT_TRUE(fs::is_empty(cache));
}
