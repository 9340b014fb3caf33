// Repeated tinted and scaled draws copied from pictures made of them once
// (the software renderer's stand-ins): every frame must be the very pixels
// the texel-by-texel draws make, and the pictures must go with their source.
#include "render/text_dx.h"
#include "support/headless.h"
#include "support/png_file.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <cstdio>

using testsupport::HeadlessGraphics;
using testsupport::Picture;
using testsupport::readBack;

namespace {

constexpr std::uint32_t KEY = 0xFF00FF00;
constexpr int SIDE = 40;

std::uint32_t noise(std::uint32_t i) { return (i * 2654435761u) ^ (i >> 7) * 40503u; }

std::string writeBackground()
{
    std::vector<std::uint32_t> px(800 * 600);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | (noise(static_cast<std::uint32_t>(i)) & 0xFFFFFF);
    test_pictures::writeRgbPng(testsupport::scratchRealPath("derived_back.png"), 800, 600, px);
    return testsupport::scratchGamePath("derived_back.png");
}

// Opaque, colour-keyed (alpha only 0 or 255), and with every alpha between.
std::vector<std::string> writeSprites()
{
    std::vector<std::uint32_t> opaque(SIDE * SIDE), keyed(SIDE * SIDE), soft(SIDE * SIDE);
    for (int i = 0; i < SIDE * SIDE; ++i) {
        const std::uint32_t colour = noise(static_cast<std::uint32_t>(i) + 99) & 0xFFFFFF;
        opaque[i] = 0xFF000000u | colour;
        keyed[i] = (i % 7 == 0 || (i / SIDE) < 5) ? KEY : (0xFF000000u | colour);
        soft[i] = (static_cast<std::uint32_t>(i * 255 / (SIDE * SIDE - 1)) << 24) | colour;
    }
    test_pictures::writeRgbPng(testsupport::scratchRealPath("derived_opaque.png"), SIDE, SIDE, opaque);
    test_pictures::writeRgbPng(testsupport::scratchRealPath("derived_keyed.png"), SIDE, SIDE, keyed);
    test_pictures::writePng(testsupport::scratchRealPath("derived_soft.png"), SIDE, SIDE, soft);
    return {testsupport::scratchGamePath("derived_opaque.png"), testsupport::scratchGamePath("derived_keyed.png"),
            testsupport::scratchGamePath("derived_soft.png")};
}

class DerivedPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        background = load(writeBackground());
        for (const std::string& path : writeSprites())
            sprites.push_back(load(path));
        ASSERT_TRUE(gold.initialize(&g.graphics(), 50, false, false, "Stencil"));
        ASSERT_TRUE(small.initialize(&g.graphics(), 14, false, false, "Courier New"));
    }
    void TearDown() override
    {
        platform::testing::useDerivedPictures(true);
        for (SpriteData& s : all)
            s.texture->Release();
    }
    SpriteData load(const std::string& path)
    {
        UINT w = 0, h = 0;
        SpriteData sd;
        EXPECT_EQ(g.graphics().loadTexture(path.c_str(), w, h, sd.texture), D3D_OK);
        sd.width = static_cast<int>(w);
        sd.height = static_cast<int>(h);
        sd.rect = RECT{0, 0, static_cast<LONG>(w), static_cast<LONG>(h)};
        all.push_back(sd);
        return sd;
    }

    // One frame as a level draws one: the background, then every sprite in
    // every tint at every scale, some partly off the edges, then text.
    Picture frame()
    {
        Graphics& gr = g.graphics();
        gr.beginScene();
        gr.spriteBegin();
        gr.drawSprite(background);
        const COLOR_ARGB tints[] = {0xFFFFFFFF, 0xFFFF0000, 0xFFFFA500, 0xFF000000,
                                    0x80000000, 0xFF808080, 0x80FFFFFF, 0xFF8080FF};
        const float scales[] = {1.0f, 0.6f, 0.25f, 2.0f, 1.2f};
        int n = 0;
        for (SpriteData sd : sprites)
            for (COLOR_ARGB tint : tints)
                for (float scale : scales) {
                    sd.scale = scale;
                    sd.x = static_cast<float>((n * 53) % 860) - 30.5f;
                    sd.y = static_cast<float>((n * 37) % 660) - 30.25f;
                    if (n % 5 == 0)  // part of the sheet, as an animation frame is
                        sd.rect = RECT{5, 3, 30, 37};
                    gr.drawSprite(sd, tint);
                    ++n;
                }
        int line = 0;
        for (COLOR_ARGB tint : {0xFF000000u, 0x80000000u, 0xFFFF0000u, 0xFFFFFFFFu}) {
            gold.setFontColor(tint);
            gold.print("Gold 0123456789", -20 + 20 * line, 40 + 140 * line);
            small.setFontColor(tint);
            small.print("fps 480 Keelhaven", 700, 580 + 5 * line);
            ++line;
        }
        gr.spriteEnd();
        Picture p = readBack();
        gr.endScene();
        gr.showBackbuffer();
        return p;
    }

    HeadlessGraphics g;
    SpriteData background;
    std::vector<SpriteData> sprites;
    std::vector<SpriteData> all;
    TextDX gold, small;
};

int differences(const Picture& a, const Picture& b, std::string& first)
{
    int count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.at(x, y) != b.at(x, y) && count++ == 0) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d): %08X, not %08X", x, y, b.at(x, y), a.at(x, y));
                first = text;
            }
    return count;
}

}  // namespace

TEST_F(DerivedPictures, FramesDrawnFromMadePicturesAreTheSamePixels)
{
    platform::testing::useDerivedPictures(false);
    const Picture texelByTexel = frame();
    platform::testing::useDerivedPictures(true);

    const int before = platform::testing::derivedPicturesMade();
    const Picture firstFrame = frame();
    EXPECT_EQ(platform::testing::derivedPicturesMade(), before) << "a draw seen once is drawn as asked";
    const Picture made = frame();
    const Picture again = frame();
    // Copied: the keyed and opaque sprites in each opaque tint and scale;
    // shade: everything in black. Coloured text and the soft sprite's
    // scaled or tinted copies are drawn as before.
    EXPECT_GT(platform::testing::derivedPicturesMade() - before, 60);

    std::string first;
    for (const Picture* p : {&firstFrame, &made, &again})
        EXPECT_EQ(differences(texelByTexel, *p, first), 0) << "first at " << first;
}

TEST_F(DerivedPictures, MadePicturesGoWithTheirSourceAndWhenNoLongerDrawn)
{
    Graphics& gr = g.graphics();
    SpriteData sd = sprites[1];
    sd.scale = 0.6f;
    auto drawFrame = [&](bool withSprite) {
        gr.beginScene();
        gr.spriteBegin();
        if (withSprite)
            gr.drawSprite(sd, 0xFFFF0000);
        gr.spriteEnd();
        gr.endScene();
        gr.showBackbuffer();
    };
    drawFrame(true);  // decodes the sprite
    const int live = platform::testing::liveRendererTextures();
    drawFrame(true);  // asked for again: made
    EXPECT_EQ(platform::testing::liveRendererTextures(), live + 1);
    for (int i = 0; i < 200; ++i)
        drawFrame(false);
    EXPECT_EQ(platform::testing::liveRendererTextures(), live) << "unused for a few seconds, it went";

    drawFrame(true);
    drawFrame(true);
    EXPECT_EQ(platform::testing::liveRendererTextures(), live + 1);
    platform::testing::dropTextureCache();  // the source's pixels go: so does what was made of them
    EXPECT_LE(platform::testing::liveRendererTextures(), live - 1);
}
