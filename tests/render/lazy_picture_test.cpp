// Pictures decoded when first drawn: loading reads the size and decodes
// nothing, the first draw decodes once and shows exactly the picture's
// texels, pixels let go over the budget come back the same, and a file
// whose body fails to decode draws nothing, is named once and is reported
// to the game loop.
#include "support/headless.h"
#include "support/png_file.h"
#include "picture_check.h"
#include "picture_failure.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using testsupport::HeadlessGraphics;
using testsupport::Picture;
using testsupport::readBack;

namespace {

constexpr std::uint32_t BACK = 0xFF000080;
constexpr std::uint32_t KEY = 0xFF00FF00;  // the game's transparent colour

// w x h texels, each its own colour, with the key colour in one corner and
// a half-transparent texel beside it.
std::vector<std::uint32_t> texels(int w, int h, std::uint32_t seed)
{
    std::vector<std::uint32_t> px(static_cast<size_t>(w * h));
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | ((seed * 2654435761u + static_cast<std::uint32_t>(i) * 40503u) & 0x00FFFFFFu);
    px[0] = KEY;
    px[1] = 0x80FFFFFFu;
    return px;
}

std::string writePicture(const std::string& name, int w, int h, std::uint32_t seed)
{
    EXPECT_TRUE(test_pictures::writePng(testsupport::scratchRealPath(name), w, h, texels(w, h, seed)));
    return testsupport::scratchGamePath(name);
}

// The IDAT's compressed data cut to its first half, its length and checksum
// made right again: the file passes every check made at load time (the
// stream starts as it should), and then fails to decode.
void breakBody(const std::string& realPath)
{
    std::string bytes;
    {
        std::ifstream in(realPath, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t type = bytes.find("IDAT");
    ASSERT_NE(type, std::string::npos);
    const std::uint32_t length = (std::uint32_t{static_cast<unsigned char>(bytes[type - 4])} << 24) |
                                 (std::uint32_t{static_cast<unsigned char>(bytes[type - 3])} << 16) |
                                 (std::uint32_t{static_cast<unsigned char>(bytes[type - 2])} << 8) |
                                 static_cast<unsigned char>(bytes[type - 1]);
    const std::uint32_t kept = length / 2;
    bytes.erase(type + 4 + kept, (length - kept) + 4);  // the rest of the data and the old checksum
    for (int i = 0; i < 4; ++i)
        bytes[type - 4 + static_cast<size_t>(i)] = static_cast<char>(kept >> (24 - 8 * i));
    const std::uint32_t crc = platform::pngChecksum(std::string_view(bytes).substr(type, 4 + kept));
    std::string sum(4, '\0');
    for (int i = 0; i < 4; ++i)
        sum[static_cast<size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
    bytes.insert(type + 4 + kept, sum);
    std::ofstream(realPath, std::ios::binary | std::ios::trunc) << bytes;
    std::string why;
    ASSERT_TRUE(platform::checkPictureFile(realPath, why)) << why;
}

class LazyPicture : public ::testing::Test {
protected:
    LP_TEXTURE load(const std::string& gamePath, UINT& w, UINT& h)
    {
        LP_TEXTURE t = nullptr;
        EXPECT_EQ(g.graphics().loadTexture(gamePath.c_str(), w, h, t), D3D_OK);
        if (t)
            textures.push_back(t);
        return t;
    }
    // One frame: the picture at (x, y) at 1:1, then presented.
    Picture draw(LP_TEXTURE t, UINT w, UINT h, float x = 10, float y = 20)
    {
        Graphics& gr = g.graphics();
        gr.setBackColor(BACK);
        gr.beginScene();
        gr.spriteBegin();
        SpriteData sd;
        sd.width = static_cast<int>(w);
        sd.height = static_cast<int>(h);
        sd.rect = RECT{0, 0, static_cast<LONG>(w), static_cast<LONG>(h)};
        sd.texture = t;
        sd.x = x;
        sd.y = y;
        gr.drawSprite(sd, graphicsNS::WHITE);
        gr.spriteEnd();
        gr.endScene();
        Picture p = readBack();
        gr.showBackbuffer();
        return p;
    }
    void TearDown() override
    {
        for (LP_TEXTURE t : textures)
            t->Release();
        platform::testing::setDecodedPictureBudget(0);
    }
    HeadlessGraphics g;
    std::vector<LP_TEXTURE> textures;
};

}  // namespace

TEST_F(LazyPicture, LoadingDecodesNothingAndTheFirstDrawShowsExactlyTheTexels)
{
    const int decodes = platform::testing::pictureDecodes();
    UINT w = 0, h = 0;
    LP_TEXTURE t = load(writePicture("lazy.png", 40, 30, 7), w, h);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(w, 40u);
    EXPECT_EQ(h, 30u);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes) << "loading reads the size only";

    const Picture first = draw(t, w, h);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1);
    const std::vector<std::uint32_t> px = texels(40, 30, 7);
    for (int y = 0; y < 30; ++y)
        for (int x = 2; x < 40; ++x)
            ASSERT_EQ(first.at(10 + x, 20 + y), px[static_cast<size_t>(y * 40 + x)]) << x << "," << y;
    EXPECT_EQ(first.at(10, 20), BACK) << "the key colour is transparent";
    EXPECT_TRUE(testsupport::sameColor(first.at(11, 20), 0xFF8080BF)) << "half white over the background";

    const Picture again = draw(t, w, h);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1) << "decoded once";
    EXPECT_EQ(again.pixels, first.pixels);

    // Released and loaded again, as on a lost device: nothing is read or decoded.
    const int loads = platform::testing::pictureFileLoads();
    textures.clear();
    t->Release();
    t = load(testsupport::scratchGamePath("lazy.png"), w, h);
    EXPECT_EQ(draw(t, w, h).pixels, first.pixels);
    EXPECT_EQ(platform::testing::pictureFileLoads(), loads);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1);
}

TEST_F(LazyPicture, PixelsLetGoOverTheBudgetComeBackTheSame)
{
    // Room for about two 64 x 64 pictures.
    platform::testing::setDecodedPictureBudget(2 * 64 * 64 * 4 + 100);
    UINT w = 0, h = 0;
    std::vector<LP_TEXTURE> pictures;
    for (std::uint32_t i = 0; i < 4; ++i)
        pictures.push_back(load(writePicture("budget" + std::to_string(i) + ".png", 64, 64, i + 1), w, h));
    const Picture first = draw(pictures[0], w, h);
    for (int i = 1; i < 4; ++i)
        draw(pictures[static_cast<size_t>(i)], w, h);
    EXPECT_LE(platform::testing::decodedPictureBytes(), size_t{2 * 64 * 64 * 4});

    const int decodes = platform::testing::pictureDecodes();
    const Picture back = draw(pictures[0], w, h);
    EXPECT_EQ(platform::testing::pictureDecodes(), decodes + 1) << "the oldest went and is decoded again";
    EXPECT_EQ(back.pixels, first.pixels);

    // Pictures drawn in one frame all stay, whatever the budget.
    platform::testing::setDecodedPictureBudget(1);
    Graphics& gr = g.graphics();
    gr.beginScene();
    gr.spriteBegin();
    for (LP_TEXTURE t : pictures) {
        SpriteData sd;
        sd.width = sd.height = 64;
        sd.rect = RECT{0, 0, 64, 64};
        sd.texture = t;
        gr.drawSprite(sd, graphicsNS::WHITE);
    }
    gr.spriteEnd();
    gr.endScene();
    EXPECT_EQ(platform::testing::decodedPictureBytes(), size_t{4 * 64 * 64 * 4});
    gr.showBackbuffer();
}

// The game loop ends the game on such a picture (see winmain.cpp): it
// must hear of it once, and not again for the next frames.
TEST_F(LazyPicture, ABodyThatFailsToDecodeIsNamedOnceAndReportedToTheGameLoop)
{
    const std::string gamePath = writePicture("badbody.png", 16, 16, 3);
    breakBody(testsupport::scratchRealPath("badbody.png"));
    UINT w = 0, h = 0;
    ASSERT_FALSE(platform::takePictureDecodeFailure());
    ::testing::internal::CaptureStderr();
    LP_TEXTURE t = load(gamePath, w, h);
    EXPECT_NE(t, nullptr) << "the checks made at load time pass";
    EXPECT_EQ(w, 16u);
    const Picture first = draw(t, w, h);
    EXPECT_TRUE(platform::takePictureDecodeFailure());
    const Picture second = draw(t, w, h);
    EXPECT_FALSE(platform::takePictureDecodeFailure()) << "reported once";
    const std::string said = ::testing::internal::GetCapturedStderr();

    const RECT none = testsupport::boundsOfChange(first, BACK, RECT{0, 0, 800, 600});
    EXPECT_EQ(none.right - none.left, 0) << "nothing drawn";
    EXPECT_EQ(second.pixels, first.pixels);
    const size_t named = said.find("badbody.png");
    ASSERT_NE(named, std::string::npos) << said;
    EXPECT_EQ(said.find("badbody.png", named + 1), std::string::npos) << "named once: " << said;
}

TEST_F(LazyPicture, AFileGoneBeforeItsFirstDrawDrawsNothing)
{
    const std::string gamePath = writePicture("gone.png", 8, 8, 5);
    UINT w = 0, h = 0;
    LP_TEXTURE t = load(gamePath, w, h);
    ASSERT_NE(t, nullptr);
    std::filesystem::remove(testsupport::scratchRealPath("gone.png"));
    ::testing::internal::CaptureStderr();
    const Picture p = draw(t, w, h);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const RECT none = testsupport::boundsOfChange(p, BACK, RECT{0, 0, 800, 600});
    EXPECT_EQ(none.right - none.left, 0);
    EXPECT_NE(said.find("gone.png"), std::string::npos) << said;
}

// The game's own pictures are RGB without alpha, read straight into the
// texture; a file that names its own transparent colour goes the long way.
// Both must show the same texels, the game's key colour transparent in both.
TEST_F(LazyPicture, RgbPicturesWithAndWithoutTheirOwnTransparentColour)
{
    std::vector<std::uint32_t> px = texels(24, 16, 3);
    px[1] = 0xFF123456;  // no half transparency in RGB
    const std::uint32_t own = 0x123456;
    ASSERT_TRUE(test_pictures::writeRgbPng(testsupport::scratchRealPath("rgb.png"), 24, 16, px));
    ASSERT_TRUE(test_pictures::writeRgbPng(testsupport::scratchRealPath("rgbkey.png"), 24, 16, px, &own));

    UINT w = 0, h = 0;
    LP_TEXTURE plain = load(testsupport::scratchGamePath("rgb.png"), w, h);
    ASSERT_NE(plain, nullptr);
    const Picture a = draw(plain, w, h);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            const std::uint32_t want = (x == 0 && y == 0) ? BACK : px[static_cast<size_t>(y * 24 + x)];
            ASSERT_EQ(a.at(10 + x, 20 + y), want) << x << "," << y;
        }

    LP_TEXTURE keyed = load(testsupport::scratchGamePath("rgbkey.png"), w, h);
    ASSERT_NE(keyed, nullptr);
    const Picture b = draw(keyed, w, h);
    EXPECT_EQ(b.at(11, 20), BACK) << "the file's own transparent colour";
    EXPECT_EQ(b.at(10, 20), BACK) << "and the game's key colour";
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 24; ++x) {
            if (y > 0 || x > 1) {
                ASSERT_EQ(b.at(10 + x, 20 + y), a.at(10 + x, 20 + y)) << x << "," << y;
            }
        }
    }
}
