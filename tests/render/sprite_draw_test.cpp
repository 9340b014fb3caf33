#include "support/headless.h"
#include "support/png_file.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <cmath>

using testsupport::HeadlessGraphics;
using testsupport::Picture;
using testsupport::readBack;
using testsupport::sameColor;

namespace {

constexpr std::uint32_t RED = 0xFFFF0000, BLUE = 0xFF0000FF, KEY = 0xFF00FF00, WHITE = 0xFFFFFFFF;
constexpr std::uint32_t BACK = 0xFF000080;

// 8 x 4: left half red, right half blue, one key-green texel at (3, 0).
std::string twoColourPicture()
{
    std::vector<std::uint32_t> px(32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            px[y * 8 + x] = x < 4 ? RED : BLUE;
    px[3] = KEY;
    test_pictures::writePng(testsupport::scratchRealPath("two.png"), 8, 4, px);
    return testsupport::scratchGamePath("two.png");
}

std::string whitePicture(int w, int h)
{
    std::vector<std::uint32_t> px(static_cast<size_t>(w * h), WHITE);
    std::string name = "white" + std::to_string(w) + "x" + std::to_string(h) + ".png";
    test_pictures::writePng(testsupport::scratchRealPath(name), w, h, px);
    return testsupport::scratchGamePath(name);
}

class SpriteDraw : public ::testing::Test {
protected:
    LP_TEXTURE load(const std::string& gamePath)
    {
        UINT w = 0, h = 0;
        LP_TEXTURE t = nullptr;
        EXPECT_EQ(g.graphics().loadTexture(gamePath.c_str(), w, h, t), D3D_OK);
        sd.width = static_cast<int>(w);
        sd.height = static_cast<int>(h);
        sd.rect = RECT{0, 0, static_cast<LONG>(w), static_cast<LONG>(h)};
        sd.texture = t;
        textures.push_back(t);
        return t;
    }
    Picture drawn(COLOR_ARGB color = WHITE)
    {
        Graphics& gr = g.graphics();
        gr.beginScene();
        gr.spriteBegin();
        gr.drawSprite(sd, color);
        gr.spriteEnd();
        gr.endScene();
        return readBack();
    }
    void TearDown() override
    {
        for (LP_TEXTURE t : textures)
            t->Release();
    }
    HeadlessGraphics g;
    SpriteData sd;
    std::vector<LP_TEXTURE> textures;
};

}  // namespace

TEST_F(SpriteDraw, PlacesThePictureAtItsPositionWithTheGreenKeyTransparent)
{
    load(twoColourPicture());
    sd.x = 100;
    sd.y = 50;
    Picture p = drawn();
    EXPECT_TRUE(sameColor(p.at(100, 50), RED));
    EXPECT_TRUE(sameColor(p.at(107, 53), BLUE));
    EXPECT_TRUE(sameColor(p.at(103, 50), BACK)) << "the key colour shows what is beneath";
    EXPECT_TRUE(sameColor(p.at(99, 50), BACK));
    EXPECT_TRUE(sameColor(p.at(108, 50), BACK));
    EXPECT_TRUE(sameColor(p.at(100, 54), BACK));
}

TEST_F(SpriteDraw, FlipsMirrorWithinTheSameScreenBox)
{
    load(twoColourPicture());
    sd.x = 200;
    sd.y = 100;
    sd.scale = 2;
    Picture plain = drawn();
    RECT box = testsupport::boundsOfChange(plain, BACK, RECT{150, 50, 300, 200});
    EXPECT_EQ(box.left, 200);
    EXPECT_EQ(box.right, 216);
    EXPECT_EQ(box.bottom, 108);

    sd.flipHorizontal = true;
    Picture mirrored = drawn();
    EXPECT_TRUE(sameColor(mirrored.at(200, 102), BLUE));
    EXPECT_TRUE(sameColor(mirrored.at(215, 102), RED));

    sd.flipVertical = true;
    Picture both = drawn();
    RECT bothBox = testsupport::boundsOfChange(both, BACK, RECT{150, 50, 300, 200});
    EXPECT_EQ(bothBox.left, box.left);
    EXPECT_EQ(bothBox.right, box.right);
    EXPECT_EQ(bothBox.top, box.top);
    EXPECT_EQ(bothBox.bottom, box.bottom);
    // The key texel (3, 0) is now at the bottom: texels (12..13, 6..7) of the box.
    EXPECT_TRUE(sameColor(both.at(209, 107), BACK));
    EXPECT_TRUE(sameColor(both.at(209, 100), RED));
}

TEST_F(SpriteDraw, RotatesClockwiseAboutTheCentreRoundedDown)
{
    load(whitePicture(8, 4));
    sd.x = 300;
    sd.y = 300;
    sd.angle = static_cast<float>(M_PI / 2);
    Picture quarter = drawn();
    // Centre (4, 2): the 8 x 4 box turns into 4 x 8 around (304, 302).
    RECT box = testsupport::boundsOfChange(quarter, BACK, RECT{280, 280, 330, 330});
    EXPECT_NEAR(box.left, 302, 1);
    EXPECT_NEAR(box.right, 306, 1);
    EXPECT_NEAR(box.top, 298, 1);
    EXPECT_NEAR(box.bottom, 306, 1);

    // An odd width turns about x 2, not 2.5: half a turn moves it one left.
    load(whitePicture(5, 1));
    sd.angle = static_cast<float>(M_PI);
    Picture half = drawn();
    RECT odd = testsupport::boundsOfChange(half, BACK, RECT{280, 280, 330, 330});
    EXPECT_EQ(odd.left, 299);
    EXPECT_EQ(odd.right, 304);
}

TEST_F(SpriteDraw, TheDrawColourMultipliesAndItsAlphaBlends)
{
    load(whitePicture(4, 4));
    sd.x = 10;
    sd.y = 10;
    Picture cyan = drawn(0xFF00FFFF);
    EXPECT_TRUE(sameColor(cyan.at(11, 11), 0xFF00FFFF));
    Picture half = drawn(0x80FFFFFF);
    std::uint32_t expected = 0xFF000000 | (0x80 << 16) | (0x80 << 8) | (0x80 + 0x80 * 0x7F / 0xFF);
    EXPECT_TRUE(sameColor(half.at(11, 11), expected, 3)) << std::hex << half.at(11, 11);
}

TEST_F(SpriteDraw, ANullTextureDrawsNothing)
{
    sd.width = sd.height = 8;
    sd.texture = nullptr;
    Picture p = drawn();
    RECT box = testsupport::boundsOfChange(p, BACK, RECT{0, 0, 800, 600});
    EXPECT_EQ(box.right, 0);
}

TEST(Textures, MissingFilesFailAndLeaveTheOutputsAlone)
{
    HeadlessGraphics g;
    UINT w = 7, h = 9;
    LP_TEXTURE t = reinterpret_cast<LP_TEXTURE>(0x1);
    EXPECT_NE(g.graphics().loadTexture("pictures\\no such picture.png", w, h, t), D3D_OK);
    EXPECT_EQ(w, 7u);
    EXPECT_EQ(h, 9u);
    EXPECT_EQ(t, reinterpret_cast<LP_TEXTURE>(0x1));
    t = nullptr;
    EXPECT_EQ(g.graphics().loadTexture(nullptr, w, h, t), D3DERR_INVALIDCALL);
}

TEST(Textures, AReleasedPictureReloadsWithoutTheDiskAndJpegsLoad)
{
    HeadlessGraphics g;
    UINT w = 0, h = 0;
    LP_TEXTURE ocean = nullptr;
    ASSERT_EQ(g.graphics().loadTexture("pictures\\ocean.jpg", w, h, ocean), D3D_OK);
    EXPECT_EQ(w, 1600u);
    EXPECT_EQ(h, 600u);
    int loads = platform::testing::pictureFileLoads();
    int live = platform::testing::liveDefaultPoolObjects();
    ocean->Release();
    EXPECT_EQ(platform::testing::liveDefaultPoolObjects(), live - 1);
    ASSERT_EQ(g.graphics().loadTexture("pictures\\ocean.jpg", w, h, ocean), D3D_OK);
    EXPECT_EQ(platform::testing::pictureFileLoads(), loads) << "came back from the cache";
    ocean->Release();
}
