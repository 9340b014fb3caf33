// The 800 x 600 picture as it reaches a window of another size: read back
// from the window itself, bars included.
#include "support/headless.h"
#include "testing.h"

#include <gtest/gtest.h>

namespace {

using testsupport::Picture;

constexpr std::uint32_t RGB = 0x00FFFFFF;

class Letterbox : public ::testing::Test {
protected:
    void resize(int w, int h) { MoveWindow(headless.window(), 0, 0, w, h, TRUE); }

    // Navy with a red square in the top-left corner, a green one in the
    // bottom-right and a one-pixel white line down the middle, whose
    // neighbours show any smoothing.
    void drawFrame()
    {
        Graphics& g = headless.graphics();
        ASSERT_EQ(g.beginScene(), D3D_OK);
        quad(0, 0, 10, 10, graphicsNS::RED);
        quad(790, 590, 800, 600, graphicsNS::GREEN);
        quad(400, 0, 401, 600, graphicsNS::WHITE);
        g.endScene();
        ASSERT_EQ(g.showBackbuffer(), D3D_OK);
    }

    static Picture window()
    {
        Picture p;
        EXPECT_TRUE(platform::testing::readWindowPixels(p.pixels, p.width, p.height));
        return p;
    }

    // Every window pixel is the picture pixel a whole-number scale puts
    // there, and pure black outside it.
    static void expectScaledCopy(const Picture& shown, const Picture& picture, int left, int top, int scale)
    {
        int wrong = 0;
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < shown.width; ++x) {
                const int px = (x - left) / scale, py = (y - top) / scale;
                const bool inside = x >= left && y >= top && px < picture.width && py < picture.height;
                const std::uint32_t want = inside ? picture.at(px, py) & RGB : 0;
                if ((shown.at(x, y) & RGB) != want && ++wrong <= 5)
                    ADD_FAILURE() << "window (" << x << ", " << y << ") is " << std::hex << shown.at(x, y)
                                  << ", not " << want;
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    testsupport::HeadlessGraphics headless;

private:
    void quad(float l, float t, float r, float b, COLOR_ARGB color)
    {
        const ColorVertex corners[4] = {{l, t, 0, 1, color}, {r, t, 0, 1, color}, {r, b, 0, 1, color},
                                        {l, b, 0, 1, color}};
        LP_VERTEXBUFFER vb = nullptr;
        ASSERT_EQ(headless.graphics().createVertexBuffer(corners, vb), D3D_OK);
        headless.graphics().drawQuad(vb);
        vb->Release();
    }
};

struct WholeScaleCase {
    int windowWidth, windowHeight, left, top, scale;
};

}  // namespace

TEST_F(Letterbox, WindowsThatHoldWholeCopiesShowThePictureSharpCentredWithBlackBars)
{
    for (const WholeScaleCase c : {WholeScaleCase{800, 600, 0, 0, 1}, WholeScaleCase{1000, 600, 100, 0, 1},
                                   WholeScaleCase{800, 800, 0, 100, 1}, WholeScaleCase{1599, 1199, 399, 299, 1},
                                   WholeScaleCase{1600, 1200, 0, 0, 2}, WholeScaleCase{1700, 1300, 50, 50, 2}}) {
        SCOPED_TRACE(testing::Message() << c.windowWidth << " x " << c.windowHeight);
        resize(c.windowWidth, c.windowHeight);
        drawFrame();
        const Picture picture = testsupport::readBack();
        ASSERT_EQ(picture.width, 800);
        ASSERT_EQ(picture.at(0, 0) & RGB, graphicsNS::RED & RGB) << "the frame was drawn";
        ASSERT_EQ(picture.at(400, 300) & RGB, graphicsNS::WHITE & RGB);
        const Picture shown = window();
        ASSERT_EQ(shown.width, c.windowWidth);
        ASSERT_EQ(shown.height, c.windowHeight);
        expectScaledCopy(shown, picture, c.left, c.top, c.scale);
    }
}

TEST_F(Letterbox, AWindowSmallerThanThePictureShowsAllOfItShrunkBetweenBlackBars)
{
    resize(600, 300);  // the picture shrinks to 400 x 300 at x = 100
    drawFrame();
    const Picture shown = window();
    ASSERT_EQ(shown.width, 600);
    for (int y = 0; y < 300; y += 7) {
        for (int x : {0, 99, 500, 599})
            ASSERT_EQ(shown.at(x, y) & RGB, 0u) << x << ", " << y;
    }
    EXPECT_TRUE(testsupport::sameColor(shown.at(101, 1), graphicsNS::RED, 8));
    EXPECT_TRUE(testsupport::sameColor(shown.at(498, 298), graphicsNS::GREEN, 8));
    EXPECT_TRUE(testsupport::sameColor(shown.at(150, 150), graphicsNS::NAVY, 8));
}
