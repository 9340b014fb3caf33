// A picture's fully transparent margins are left out when it is copied at
// 1:1; it must still draw exactly the pixels of the same picture without
// them, wherever it lands and however it is tinted.
#include "support/headless.h"
#include "support/png_file.h"

#include <gtest/gtest.h>

using testsupport::HeadlessGraphics;
using testsupport::Picture;
using testsupport::readBack;

namespace {

constexpr std::uint32_t KEY = 0xFF00FF00;
constexpr int PATCH_W = 10, PATCH_H = 12, LEFT = 8, TOP = 6;

// Opaque and half-transparent texels, no two rows alike.
std::uint32_t patchTexel(int x, int y)
{
    const std::uint32_t alpha = (x + y) % 3 == 0 ? 0x80u : 0xFFu;
    return alpha << 24 | static_cast<std::uint32_t>(x * 25) << 16 | static_cast<std::uint32_t>(y * 20) << 8 | 0x40u;
}

class TransparentMargin : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The patch alone, and the patch inside a 30 x 30 frame of the key.
        std::vector<std::uint32_t> patch, framed(30 * 30, KEY);
        for (int y = 0; y < PATCH_H; ++y)
            for (int x = 0; x < PATCH_W; ++x) {
                patch.push_back(patchTexel(x, y));
                framed[static_cast<size_t>((TOP + y) * 30 + LEFT + x)] = patchTexel(x, y);
            }
        ASSERT_TRUE(test_pictures::writePng(testsupport::scratchRealPath("patch.png"), PATCH_W, PATCH_H, patch));
        ASSERT_TRUE(test_pictures::writePng(testsupport::scratchRealPath("framed.png"), 30, 30, framed));
        patchTexture = load("patch.png");
        framedTexture = load("framed.png");
    }
    void TearDown() override
    {
        for (LP_TEXTURE t : {patchTexture, framedTexture})
            if (t)
                t->Release();
    }
    LP_TEXTURE load(const char* name)
    {
        UINT w = 0, h = 0;
        LP_TEXTURE t = nullptr;
        EXPECT_EQ(g.graphics().loadTexture(testsupport::scratchGamePath(name).c_str(), w, h, t), D3D_OK);
        return t;
    }
    Picture drawn(LP_TEXTURE texture, RECT rect, float x, float y, COLOR_ARGB color)
    {
        SpriteData sd;
        sd.texture = texture;
        sd.rect = rect;
        sd.width = rect.right - rect.left;
        sd.height = rect.bottom - rect.top;
        sd.x = x;
        sd.y = y;
        Graphics& gr = g.graphics();
        gr.beginScene();
        gr.spriteBegin();
        gr.drawSprite(sd, color);
        gr.spriteEnd();
        gr.endScene();
        return readBack();
    }
    HeadlessGraphics g;
    LP_TEXTURE patchTexture = nullptr;
    LP_TEXTURE framedTexture = nullptr;
};

}  // namespace

TEST_F(TransparentMargin, TheFramedPictureDrawsExactlyThePatch)
{
    // Whole pixels, fractions (the copy lands on the whole pixel below),
    // negative whole pixels, and off the right and bottom edges.
    const float places[][2] = {{100, 50}, {100.5f, 50.75f}, {-4, -3}, {-8, 300}, {785, 585}};
    for (const auto& at : places)
        for (COLOR_ARGB tint : {0xFFFFFFFFu, 0x80FFFFFFu, 0xFFFF8000u}) {
            const Picture framed = drawn(framedTexture, RECT{0, 0, 30, 30}, at[0], at[1], tint);
            const Picture patch =
                drawn(patchTexture, RECT{0, 0, PATCH_W, PATCH_H}, at[0] + LEFT, at[1] + TOP, tint);
            EXPECT_EQ(framed.pixels, patch.pixels) << "at " << at[0] << ", " << at[1] << " tint " << std::hex << tint;
        }
}

TEST_F(TransparentMargin, AFrameCuttingThroughTheInkDrawsOnlyItsPart)
{
    // Like the health bar cut short: the frame ends inside the patch, and a
    // frame wholly in the margin draws nothing.
    const Picture framed = drawn(framedTexture, RECT{0, 0, LEFT + 4, 30}, 200, 100, 0xFFFFFFFFu);
    const Picture patch = drawn(patchTexture, RECT{0, 0, 4, PATCH_H}, 200 + LEFT, 100 + TOP, 0xFFFFFFFFu);
    EXPECT_EQ(framed.pixels, patch.pixels);

    const Picture empty = drawn(framedTexture, RECT{0, 0, 30, TOP}, 200, 100, 0xFFFFFFFFu);
    const Picture nothing = drawn(patchTexture, RECT{0, 0, 0, 0}, 200, 100, 0xFFFFFFFFu);
    EXPECT_EQ(empty.pixels, nothing.pixels);
}
