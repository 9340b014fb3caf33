#include "font_lookup.h"
#include "render/text_dx.h"
#include "support/headless.h"

#include <gtest/gtest.h>

using testsupport::HeadlessGraphics;
using testsupport::readBack;

namespace {
constexpr std::uint32_t BACK = 0xFF000080;

class TextDraw : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(font.initialize(&g.graphics(), 24, false, false, "Arial")); }
    template <class Draw>
    RECT ink(Draw draw)
    {
        Graphics& gr = g.graphics();
        gr.beginScene();
        gr.spriteBegin();
        draw();
        gr.spriteEnd();
        gr.endScene();
        return testsupport::boundsOfChange(readBack(), BACK, RECT{0, 0, 800, 600});
    }
    HeadlessGraphics g;
    TextDX font;
};
}  // namespace

TEST(Fonts, WindowsFaceNamesFindFreeFaces)
{
    platform::FontFile f;
    ASSERT_TRUE(platform::findFont("Arial", false, false, f));
    EXPECT_EQ(f.family, "Liberation Sans");
    ASSERT_TRUE(platform::findFont("Courier New", false, false, f));
    EXPECT_EQ(f.family, "Liberation Mono");
    ASSERT_TRUE(platform::findFont("Stencil", true, false, f));
    EXPECT_EQ(f.family, "Allerta");
    EXPECT_NE(f.path.find("stencil"), std::string::npos) << f.path;
}

TEST(Fonts, TheFacesFoundDirectlyAreTheOnesFontconfigFinds)
{
    for (const char* face : {"Arial", "Courier New", "Stencil"}) {
        for (int style = 0; style < 4; ++style) {
            const bool bold = (style & 1) != 0, italic = (style & 2) != 0;
            platform::FontFile direct, looked;
            ASSERT_TRUE(platform::findFontThroughFontconfig(face, bold, italic, looked)) << face;
            if (!platform::findKnownFont(face, bold, italic, direct))
                continue;  // not installed where the packages put it: fontconfig finds it
            EXPECT_EQ(direct.path, looked.path) << face << " style " << style;
            EXPECT_EQ(direct.family, looked.family) << face;
            EXPECT_EQ(direct.bold, looked.bold) << face << " style " << style;
            EXPECT_EQ(direct.italic, looked.italic) << face << " style " << style;
        }
    }
}

TEST_F(TextDraw, TheFontHeightIsTheCellHeight)
{
    RECT r{10, 10, 10, 10};
    int height = font.print("Keelhaven", r, DT_CALCRECT);
    EXPECT_EQ(height, 24);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_GT(r.right - r.left, 60);
    TextDX console;
    ASSERT_TRUE(console.initialize(&g.graphics(), 14, false, false, "Courier New"));
    RECT c{0, 0, 0, 0};
    EXPECT_EQ(console.print("fps 480 ", c, DT_CALCRECT), 14);
}

TEST_F(TextDraw, AlignmentFlagsPlaceTheTextInTheRectangle)
{
    RECT area{100, 100, 500, 200};
    RECT centred = ink([&] { RECT r = area; font.print("MMMM", r, DT_CENTER | DT_SINGLELINE | DT_VCENTER); });
    EXPECT_NEAR((centred.left + centred.right) / 2, 300, 3);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 150, 6);
    RECT right = ink([&] { RECT r = area; font.print("MMMM", r, DT_RIGHT); });
    EXPECT_LE(right.right, 500);
    EXPECT_GE(right.right, 495);
    EXPECT_LT(right.top, 110);
}

TEST_F(TextDraw, WordBreakWrapsAndTextIsClippedToTheRectangle)
{
    std::string text = "sail between the islands and find the whirlpool";
    RECT measure{0, 0, 150, 0};
    int height = font.print(text, measure, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(height % 24, 0);
    EXPECT_GE(height, 72);
    RECT clipped = ink([&] { RECT r{100, 100, 160, 300}; font.print(text, r, DT_LEFT); });
    EXPECT_LE(clipped.right, 160);
    EXPECT_GE(clipped.left, 100);
}

TEST_F(TextDraw, ThePointFormTurnsAboutItsPointAndKeepsTheRectangleEdges)
{
    RECT plain = ink([&] { font.print("HELLO", 400, 300); });
    EXPECT_GE(plain.left, 400);
    EXPECT_GE(plain.top, 300);
    EXPECT_EQ(font.getFontRect().right, 800);
    EXPECT_EQ(font.getFontRect().bottom, 600);

    font.setDegrees(90);
    RECT turned = ink([&] { font.print("HELLO", 400, 300); });
    EXPECT_LE(turned.right, 401);
    EXPECT_GE(turned.left, 400 - 25);
    EXPECT_GE(turned.top, 299);
    EXPECT_GT(turned.bottom - turned.top, plain.bottom - plain.top) << "runs downward";
}

TEST_F(TextDraw, NothingIsDrawnWhileTheFontIsLost)
{
    font.onLostDevice();
    RECT none = ink([&] { font.print("lost", 10, 10); });
    EXPECT_EQ(none.right, 0);
    font.onResetDevice();
    RECT back = ink([&] { font.print("found", 10, 10); });
    EXPECT_GT(back.right, 10);
}
