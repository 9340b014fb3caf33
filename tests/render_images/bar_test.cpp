// The HUD bar: how much of the gauge shows and its tint, taken from the
// gauge's right edge in texture pixels.
#include "headless_graphics.h"
#include "support/png_file.h"

#include "render/bar.h"
#include "render/texture_manager.h"

#include <gtest/gtest.h>

using headless::graphics;
using headless::renderFrame;

namespace {

struct Gauge {
    TextureManager none;
    Bar bar;
    Gauge()
    {
        Graphics* noGraphics = nullptr;
        EXPECT_TRUE(bar.initialize(noGraphics, &none, 1.0f));
    }
    LONG right() { return bar.getSpriteDataRect().right; }
};

}  // namespace

TEST(Bar, StartsAsAFullGreenGaugeInTheHud)
{
    Gauge g;
    EXPECT_EQ(g.bar.getWidth(), 270);
    EXPECT_EQ(g.bar.getHeight(), 270);
    EXPECT_FLOAT_EQ(g.bar.getX(), 83);
    EXPECT_FLOAT_EQ(g.bar.getY(), 497);
    EXPECT_EQ(g.right(), 270);
    EXPECT_EQ(g.bar.getColorFilter(), graphicsNS::GREEN);
}

TEST(Bar, PercentagesAreClamped)
{
    Gauge g;
    g.bar.set(150);
    EXPECT_EQ(g.right(), 270);
    EXPECT_EQ(g.bar.getColorFilter(), graphicsNS::GREEN);
    g.bar.set(-5);
    EXPECT_EQ(g.right(), g.bar.getSpriteDataRect().left);
    EXPECT_EQ(g.bar.getColorFilter(), graphicsNS::RED);
}

TEST(Bar, TheTintChangesAtTheRightEdgesEightyOneTwentyAndOneSixty)
{
    struct Step {
        float percent;
        LONG right;
        COLOR_ARGB color;
    };
    const Step steps[] = {
        {29.7f, 80, graphicsNS::RED},     {30.0f, 81, graphicsNS::ORANGE},  {44.4f, 119, graphicsNS::ORANGE},
        {44.5f, 120, graphicsNS::ORANGE}, {45.0f, 121, graphicsNS::YELLOW}, {59.3f, 160, graphicsNS::YELLOW},
        {59.5f, 160, graphicsNS::YELLOW}, {60.0f, 162, graphicsNS::GREEN},  {100.0f, 270, graphicsNS::GREEN},
        {0.0f, 0, graphicsNS::RED},
    };
    Gauge g;
    for (const Step& s : steps) {
        g.bar.set(s.percent);
        EXPECT_EQ(g.right(), s.right) << s.percent << "%";
        EXPECT_EQ(g.bar.getColorFilter(), s.color) << s.percent << "%";
    }
}

TEST(Bar, NeverAnimates)
{
    Gauge g;
    g.bar.setFrames(0, 3);
    g.bar.setFrameDelay(0.01f);
    g.bar.set(50);
    g.bar.update(1.0f);
    EXPECT_EQ(g.bar.getCurrentFrame(), 0);
    EXPECT_EQ(g.right(), 135) << "update does not reset the gauge either";
}

TEST(Bar, DrawsTheShownPartInItsTint)
{
    ASSERT_TRUE(test_pictures::writeSolidPng(headless::scratchDir() + "gauge.png", 270, 270, 0xFFFFFFFF));
    TextureManager tm;
    ASSERT_TRUE(tm.initialize(&graphics(), headless::scratchDir() + "gauge.png"));
    Bar bar;
    ASSERT_TRUE(bar.initialize(&graphics(), &tm, 0.25f));  // 67.5 x 67.5 on screen
    bar.set(20);                                           // 54 texture pixels: red
    auto f = renderFrame([&] { bar.draw(graphicsNS::FILTER); });
    EXPECT_EQ(f.at(84, 498), graphicsNS::RED);
    EXPECT_EQ(f.at(83 + 12, 497 + 60), graphicsNS::RED);
    EXPECT_EQ(f.countDrawn(83 + 15, 497, 83 + 68, 497 + 68), 0) << "beyond 54 * 0.25 pixels";

    bar.set(100);
    f = renderFrame([&] { bar.draw(graphicsNS::FILTER); });
    EXPECT_EQ(f.at(83 + 60, 497 + 60), graphicsNS::GREEN);
}
