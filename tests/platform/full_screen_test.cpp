// Full screen and back to the window the player had, through the game's
// own display-mode switch.
#include "support/headless.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

RECT windowRect(HWND hwnd)
{
    RECT r{};
    EXPECT_TRUE(GetWindowRect(hwnd, &r));
    return r;
}

// The desktop shows the picture at the largest whole-number scale it
// holds, centred, with black bars.
void expectLetterboxedOnTheDesktop(Graphics& g, const RECT& desktop)
{
    ASSERT_EQ(g.beginScene(), D3D_OK);
    g.endScene();
    ASSERT_EQ(g.showBackbuffer(), D3D_OK);
    testsupport::Picture shown;
    ASSERT_TRUE(platform::testing::readWindowPixels(shown.pixels, shown.width, shown.height));
    ASSERT_EQ(shown.width, desktop.right - desktop.left);
    ASSERT_EQ(shown.height, desktop.bottom - desktop.top);
    const int scale = std::min(shown.width / 800, shown.height / 600);
    ASSERT_GE(scale, 1) << "a desktop smaller than the picture";
    const int left = (shown.width - 800 * scale) / 2, top = (shown.height - 600 * scale) / 2;
    constexpr std::uint32_t RGB = 0x00FFFFFF;
    EXPECT_EQ(shown.at(left, top) & RGB, graphicsNS::NAVY & RGB);
    EXPECT_EQ(shown.at(left + 800 * scale - 1, top + 600 * scale - 1) & RGB, graphicsNS::NAVY & RGB);
    if (left > 0) {
        EXPECT_EQ(shown.at(left - 1, top) & RGB, 0u);
    }
    if (top > 0) {
        EXPECT_EQ(shown.at(left, top - 1) & RGB, 0u);
    }
}

}  // namespace

TEST(FullScreen, LeavingItGivesTheWindowBackItsSizeAndPlace)
{
    testsupport::HeadlessGraphics headless;
    Graphics& g = headless.graphics();
    HWND hwnd = headless.window();
    ShowWindow(hwnd, SW_SHOWNORMAL);  // a hidden window only goes full screen once shown

    for (const RECT before : {RECT{50, 60, 1050, 760}, RECT{10, 20, 1210, 920}}) {
        MoveWindow(hwnd, before.left, before.top, before.right - before.left, before.bottom - before.top, TRUE);
        g.changeDisplayMode(graphicsNS::FULLSCREEN);
        ASSERT_TRUE(g.getFullscreen());
        const RECT full = windowRect(hwnd);
        EXPECT_NE(full.right - full.left, before.right - before.left) << "the whole desktop";
        RECT client{};
        GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, 800) << "still the picture's pixels";
        expectLetterboxedOnTheDesktop(g, full);

        g.changeDisplayMode(graphicsNS::WINDOW);
        ASSERT_FALSE(g.getFullscreen());
        const RECT after = windowRect(hwnd);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
        EXPECT_EQ(after.right, before.right);
        EXPECT_EQ(after.bottom, before.bottom);
    }
}
