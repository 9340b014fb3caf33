// Fonts of the same face, height and style share one glyph picture, and a
// font keeps drawing the same through a lost device and a renderer reset.
#include "render/text_dx.h"
#include "support/headless.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <memory>

using testsupport::HeadlessGraphics;
using testsupport::Picture;
using testsupport::readBack;

namespace {

class SharedGlyphs : public ::testing::Test {
protected:
    Picture drawn(TextDX& font, const char* text)
    {
        Graphics& gr = g.graphics();
        gr.beginScene();
        gr.spriteBegin();
        font.print(text, 40, 60);
        gr.spriteEnd();
        gr.endScene();
        return readBack();
    }
    std::unique_ptr<TextDX> font(int height, bool bold, const char* face = "Stencil")
    {
        auto f = std::make_unique<TextDX>();
        EXPECT_TRUE(f->initialize(&g.graphics(), height, bold, false, face));
        return f;
    }
    HeadlessGraphics g;
};

}  // namespace

TEST_F(SharedGlyphs, FontsOfOneFaceHeightAndWeightShareOneAtlas)
{
    const int before = platform::testing::glyphAtlasCount();
    auto a = font(50, false);
    EXPECT_EQ(platform::testing::glyphAtlasCount(), before + 1);
    auto b = font(50, false);
    EXPECT_EQ(platform::testing::glyphAtlasCount(), before + 1) << "the second one shares";
    EXPECT_EQ(drawn(*a, "GOLD 1234").pixels, drawn(*b, "GOLD 1234").pixels);

    auto smaller = font(30, false);
    auto otherFace = font(50, false, "Arial");
    auto bold = font(50, true, "Arial");
    EXPECT_EQ(platform::testing::glyphAtlasCount(), before + 4) << "height, face and weight each make their own";

    // One font going leaves the other drawing; the last one takes the atlas.
    const Picture shared = drawn(*b, "GOLD 1234");
    a.reset();
    EXPECT_EQ(drawn(*b, "GOLD 1234").pixels, shared.pixels);
    b.reset();
    bold.reset();
    smaller.reset();
    otherFace.reset();
    EXPECT_EQ(platform::testing::glyphAtlasCount(), before);
}

TEST_F(SharedGlyphs, ALostDeviceAndARendererResetLeaveTheTextAsItWas)
{
    auto a = font(40, false);
    auto b = font(40, false);
    const Picture first = drawn(*a, "Keelhaven 0123");

    // Only one of the two sharing fonts is lost: the other still draws.
    a->onLostDevice();
    EXPECT_EQ(drawn(*b, "Keelhaven 0123").pixels, first.pixels);
    a->onResetDevice();
    EXPECT_EQ(drawn(*a, "Keelhaven 0123").pixels, first.pixels);

    // The renderer dropping its textures: the atlas is made again from the
    // glyphs kept.
    Graphics& gr = g.graphics();
    platform::testing::loseRendererTextures();
    ASSERT_EQ(gr.getDeviceState(), D3DERR_DEVICENOTRESET);
    a->onLostDevice();
    b->onLostDevice();
    ASSERT_EQ(gr.reset(), D3D_OK);
    a->onResetDevice();
    b->onResetDevice();
    EXPECT_EQ(drawn(*a, "Keelhaven 0123").pixels, first.pixels);
    EXPECT_EQ(drawn(*b, "Keelhaven 0123").pixels, first.pixels);
}
