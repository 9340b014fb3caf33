// Image: the frame layout, animation stepping, the four draw forms, and an
// image whose manager lost the device.
#include "headless_graphics.h"
#include "support/png_file.h"

#include "render/image.h"
#include "render/texture_manager.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <fstream>

using headless::graphics;
using headless::renderFrame;
using headless::scratchDir;

namespace {

RECT rectOf(Image& img) { return img.getSpriteDataRect(); }

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// An image on an empty manager: enough for everything but drawing.
struct Undrawn {
    TextureManager none;
    Image img;
    Undrawn(int w, int h, int cols)
    {
        Graphics* noGraphics = nullptr;
        img.initialize(noGraphics, w, h, cols, &none);
    }
};

}  // namespace

// ---- frames and animation -----------------------------------------------------

TEST(ImageFrames, FramesRunRowByRowFromTheTopLeft)
{
    Undrawn big(800, 461, 3);
    big.img.setCurrentFrame(4);
    EXPECT_TRUE(sameRect(rectOf(big.img), RECT{800, 461, 1600, 922}));

    Undrawn sheet(64, 64, 4);  // the ship sheet's layout
    for (int f = 0; f < 44; ++f) {
        sheet.img.setCurrentFrame(f);
        const RECT expected{(f % 4) * 64, (f / 4) * 64, (f % 4) * 64 + 64, (f / 4) * 64 + 64};
        ASSERT_TRUE(sameRect(rectOf(sheet.img), expected)) << "frame " << f;
    }
}

TEST(ImageFrames, ZeroColumnsMeansOne)
{
    Undrawn one(32, 16, 0);
    one.img.setCurrentFrame(3);
    EXPECT_TRUE(sameRect(rectOf(one.img), RECT{0, 48, 32, 64}));
}

TEST(ImageFrames, NegativeFramesAreIgnoredAndSetFramesKeepsTheShownFrame)
{
    Undrawn u(10, 10, 2);
    u.img.setCurrentFrame(3);
    u.img.setAnimationComplete(true);
    u.img.setCurrentFrame(-1);
    EXPECT_EQ(u.img.getCurrentFrame(), 3);
    EXPECT_TRUE(u.img.getAnimationComplete()) << "not even the complete flag changes";
    u.img.setCurrentFrame(0);
    EXPECT_FALSE(u.img.getAnimationComplete());

    u.img.setFrames(5, 9);
    EXPECT_EQ(u.img.getCurrentFrame(), 0);
    EXPECT_TRUE(sameRect(rectOf(u.img), RECT{0, 0, 10, 10}));
}

TEST(ImageAnimation, LoopingStepsOneFrameAPerUpdate)
{
    Undrawn u(64, 64, 4);
    u.img.setFrames(0, 3);
    u.img.setFrameDelay(0.1f);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        u.img.update(0.25f);  // more than two delays; still one step
        seen.push_back(u.img.getCurrentFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1}));
    EXPECT_TRUE(sameRect(rectOf(u.img), RECT{64, 0, 128, 64})) << "the rectangle follows the frame";
    EXPECT_FALSE(u.img.getAnimationComplete());
}

TEST(ImageAnimation, WithoutLoopItStopsAtTheEndAndSaysSo)
{
    Undrawn u(64, 64, 4);
    u.img.setFrames(16, 19);
    u.img.setCurrentFrame(16);
    u.img.setFrameDelay(0.1f);
    u.img.setLoop(false);
    for (int i = 0; i < 3; ++i) {
        u.img.update(0.15f);
        EXPECT_FALSE(u.img.getAnimationComplete()) << "update " << i;
    }
    EXPECT_EQ(u.img.getCurrentFrame(), 19);
    u.img.update(0.15f);
    EXPECT_TRUE(u.img.getAnimationComplete());
    for (int i = 0; i < 4; ++i)
        u.img.update(0.15f);
    EXPECT_EQ(u.img.getCurrentFrame(), 19);
    EXPECT_TRUE(sameRect(rectOf(u.img), RECT{192, 256, 256, 320}));

    // A frame outside the range is brought back into it on the next step.
    u.img.setLoop(true);
    u.img.setCurrentFrame(2);
    u.img.update(0.15f);
    EXPECT_EQ(u.img.getCurrentFrame(), 16);
}

TEST(ImageAnimation, StepsOnlyWhenTheDelayIsExceeded)
{
    Undrawn u(8, 8, 1);
    u.img.setFrames(0, 1);
    u.img.setFrameDelay(0.5f);
    u.img.update(0.5f);
    EXPECT_EQ(u.img.getCurrentFrame(), 0) << "exactly the delay is not past it";
    u.img.update(0.125f);
    EXPECT_EQ(u.img.getCurrentFrame(), 1);
    u.img.update(0.25f);  // 0.125 carried over + 0.25: not yet
    EXPECT_EQ(u.img.getCurrentFrame(), 1);
    u.img.update(0.25f);
    EXPECT_EQ(u.img.getCurrentFrame(), 0);
}

TEST(ImageAnimation, ASingleFrameNeitherAnimatesNorGathersTime)
{
    Undrawn u(8, 8, 1);
    u.img.setFrames(2, 2);
    u.img.setCurrentFrame(2);
    u.img.update(10.0f);
    EXPECT_EQ(u.img.getCurrentFrame(), 2);
    u.img.setFrames(2, 3);
    u.img.setFrameDelay(1.0f);
    u.img.update(0.5f);
    EXPECT_EQ(u.img.getCurrentFrame(), 2) << "the ten seconds did not count";
}

TEST(ImageAngles, DegreesUseTheSinglePrecisionPi)
{
    Undrawn u(8, 8, 1);
    u.img.setDegrees(180);
    EXPECT_EQ(u.img.getRadians(), 3.1415927410125732f);
    EXPECT_FLOAT_EQ(u.img.getDegrees(), 180.0f);
    u.img.setRadians(1.0f);
    EXPECT_FLOAT_EQ(u.img.getDegrees(), 57.29577791868205f);
}

TEST(ImageInitialize, ZeroSizeTakesTheWholePicture)
{
    ASSERT_TRUE(test_pictures::writeSolidPng(scratchDir() + "whole.png", 64, 32, 0xFFFFFFFF));
    TextureManager tm;
    ASSERT_TRUE(tm.initialize(&graphics(), scratchDir() + "whole.png"));
    Image img;
    ASSERT_TRUE(img.initialize(&graphics(), 0, 0, 0, &tm));
    EXPECT_EQ(img.getWidth(), 64);
    EXPECT_EQ(img.getHeight(), 32);
    EXPECT_TRUE(sameRect(rectOf(img), RECT{0, 0, 64, 32}));
    EXPECT_EQ(img.getSpriteInfo().texture, tm.getTexture(0));
    img.setCurrentFrame(1);
    EXPECT_TRUE(sameRect(rectOf(img), RECT{0, 32, 64, 64})) << "one column";
}

// ---- drawing ------------------------------------------------------------------

namespace {

constexpr std::uint32_t WHITE = 0xFFFFFFFF;
constexpr std::uint32_t RED = 0xFFFF0000;

// Two white 32 x 32 frames side by side, then a second picture in blue.
struct Drawn : ::testing::Test {
    TextureManager tm;
    Image img;
    void SetUp() override
    {
        static bool written = [] {
            std::vector<std::uint32_t> px(64 * 32, WHITE);
            for (int y = 0; y < 32; ++y)
                for (int x = 32; x < 64; ++x)
                    px[static_cast<size_t>(y * 64 + x)] = 0xFF00FF00;  // frame 1: all colour key
            bool ok = test_pictures::writePng(scratchDir() + "drawn_a.png", 64, 32, px);
            ok = ok && test_pictures::writeSolidPng(scratchDir() + "drawn_b.png", 32, 32, 0xFF0000FF);
            std::ofstream(scratchDir() + "drawn.txt") << scratchDir() << "drawn_a.png\n"
                                                      << scratchDir() << "drawn_b.png\n";
            return ok;
        }();
        ASSERT_TRUE(written);
        ASSERT_TRUE(tm.initialize(&graphics(), scratchDir() + "drawn.txt"));
        ASSERT_TRUE(img.initialize(&graphics(), 32, 32, 2, &tm));
        img.setX(100);
        img.setY(200);
    }
};

}  // namespace

TEST_F(Drawn, TheColourFormUsesTheFilterOnlyForColourZero)
{
    img.setColorFilter(RED);
    auto f = renderFrame([&] { img.draw(graphicsNS::FILTER); });
    EXPECT_EQ(f.at(116, 216), RED);
    f = renderFrame([&] { img.draw(graphicsNS::WHITE); });
    EXPECT_EQ(f.at(116, 216), WHITE);
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 32 * 32) << "one frame, at (100, 200)";
    EXPECT_EQ(f.countDrawn(100, 200, 132, 232), 32 * 32);
}

TEST_F(Drawn, TheTextureFormsPickAPictureOfTheList)
{
    auto f = renderFrame([&] { img.draw(TextureNumber(1)); });
    EXPECT_EQ(f.at(116, 216), 0xFF0000FFu);
    EXPECT_EQ(img.getSpriteInfo().texture, tm.getTexture(1)) << "the choice stays in the record";

    img.setColorFilter(RED);
    f = renderFrame([&] { img.draw(graphicsNS::FILTER, 0u); });
    EXPECT_EQ(f.at(116, 216), RED);

    f = renderFrame([&] { img.draw(graphicsNS::WHITE, 2u); });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0) << "no texture 2: nothing drawn";
}

TEST_F(Drawn, TheCurrentFrameIsWhatIsDrawn)
{
    img.setCurrentFrame(1);  // all colour key: transparent
    auto f = renderFrame([&] { img.draw(graphicsNS::WHITE); });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0);
}

TEST_F(Drawn, AnotherRecordIsDrawnWithThisImagesFrame)
{
    Image other;
    TextureManager none;
    Graphics* noGraphics = nullptr;
    other.initialize(noGraphics, 32, 32, 1, &none);
    other.setX(400);
    other.setY(300);
    other.setScale(2);
    img.setColorFilter(RED);
    auto f = renderFrame([&] { img.draw(other.getSpriteInfo(), graphicsNS::FILTER, 0); });
    EXPECT_EQ(f.countDrawn(400, 300, 464, 364), 64 * 64) << "at the other's place and scale";
    EXPECT_EQ(f.at(430, 330), RED);
    EXPECT_EQ(f.countDrawn(100, 200, 132, 232), 0);

    img.setCurrentFrame(1);
    f = renderFrame([&] { img.draw(other.getSpriteInfo(), graphicsNS::WHITE, 0); });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0) << "this image's frame, not the other's";
}

TEST_F(Drawn, HiddenOrUninitialisedImagesDrawNothing)
{
    img.setVisible(false);
    auto f = renderFrame([&] {
        img.draw(graphicsNS::WHITE);
        img.draw(TextureNumber(0));
        img.draw(graphicsNS::WHITE, 0u);
        img.draw(img.getSpriteInfo(), graphicsNS::WHITE, 0);
    });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0);

    Image fresh;
    fresh.setTextureManager(&tm);
    f = renderFrame([&] { fresh.draw(graphicsNS::WHITE); });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0);
}

TEST_F(Drawn, AfterTheManagerLosesTheDeviceNothingDrawsUntilTheReset)
{
    Graphics& g = graphics();
    platform::testing::forceDeviceState(D3DERR_DEVICENOTRESET);
    EXPECT_EQ(g.getDeviceState(), D3DERR_DEVICENOTRESET);
    tm.onLostDevice();
    EXPECT_EQ(g.reset(), D3D_OK);
    platform::testing::forceDeviceState(D3D_OK);

    auto f = renderFrame([&] { img.draw(graphicsNS::WHITE); });
    EXPECT_EQ(f.countDrawn(0, 0, 800, 600), 0) << "the manager's textures are gone";

    tm.onResetDevice();
    f = renderFrame([&] { img.draw(graphicsNS::WHITE); });
    EXPECT_EQ(f.countDrawn(100, 200, 132, 232), 32 * 32);
}
