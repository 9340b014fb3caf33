#include "probe_game.h"

#include "testing.h"

#include <gtest/gtest.h>

using platform::testing::advanceClock;

class GameLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::useFakeClock(true);
        game = std::make_unique<ProbeGame>();
        game->initialize(window.hwnd);
        drainMessages();
    }
    void TearDown() override
    {
        game.reset();
        drainMessages();
        platform::testing::useFakeClock(false);
    }
    GameWindow window;
    std::unique_ptr<ProbeGame> game;
};

TEST_F(GameLoop, AFrameFasterThanTheCapSleepsAndDoesNothingElse)
{
    advanceClock(0.001);
    game->send(WM_KEYDOWN, VK_SPACE);
    game->run(window.hwnd);
    EXPECT_EQ(platform::testing::totalSleptMilliseconds(), 1u) << "(1/480 - 0.001) s truncates to 1 ms";
    EXPECT_EQ(game->updates, 0);
    EXPECT_EQ(game->renders, 0);
    EXPECT_TRUE(game->getInput()->wasKeyPressed(VK_SPACE)) << "input is not cleared by the short return";

    // The time slept counts towards the next frame.
    advanceClock(0.0005);
    game->run(window.hwnd);
    EXPECT_EQ(game->updates, 1);
    EXPECT_NEAR(game->getFrameTime(), 0.0025, 1e-6);
    EXPECT_FALSE(game->getInput()->wasKeyPressed(VK_SPACE));
    EXPECT_TRUE(game->getInput()->isKeyDown(VK_SPACE));
}

TEST_F(GameLoop, LongFramesAreCappedAndTheFigureCountsTheFramesDrawn)
{
    EXPECT_FLOAT_EQ(game->getFps(), 100.0f) << "until a second has passed";
    advanceClock(0.5);
    game->run(window.hwnd);
    EXPECT_FLOAT_EQ(game->getFrameTime(), 0.1f);
    for (int i = 0; i < 26; ++i) {
        advanceClock(0.02);
        game->run(window.hwnd);
    }
    EXPECT_NEAR(game->getFps(), 26.5, 1.0) << "27 frames in the first 1.02 s";
    // Frame times that vary: the average of 1 / frameTime would read 156.
    for (int i = 0; i < 101; ++i) {
        advanceClock(i % 2 == 0 ? 0.004 : 0.016);
        game->run(window.hwnd);
    }
    EXPECT_NEAR(game->getFps(), 100.0, 1.0);
    for (int i = 0; i < 61; ++i) {
        advanceClock(1.0 / 60);
        game->run(window.hwnd);
    }
    EXPECT_NEAR(game->getFps(), 60.0, 2.0);
    EXPECT_EQ(game->updates, 189);
    EXPECT_EQ(game->ais, 189);
    EXPECT_EQ(game->collisionChecks, 189);
    EXPECT_EQ(game->renders, 189);
}

TEST_F(GameLoop, PausedFramesStillRenderButSkipTheGame)
{
    game->setPaused(true);
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_EQ(game->updates, 0);
    EXPECT_EQ(game->collisionChecks, 0);
    EXPECT_EQ(game->renders, 1);
}

TEST_F(GameLoop, EscapeHeldReleasesAndResetsEveryFrameAltEnterTogglesOncePerPress)
{
    game->send(WM_KEYDOWN, VK_ESCAPE);
    for (int i = 0; i < 3; ++i) {
        advanceClock(0.01);
        game->run(window.hwnd);
    }
    EXPECT_EQ(game->releases, 3);
    EXPECT_EQ(game->resets, 3);
    game->send(WM_KEYUP, VK_ESCAPE);

    game->send(WM_SYSKEYDOWN, VK_MENU);
    game->send(WM_SYSKEYDOWN, VK_RETURN);
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_TRUE(game->getGraphics()->getFullscreen());
    advanceClock(0.01);
    game->run(window.hwnd);  // still held, no new press
    EXPECT_TRUE(game->getGraphics()->getFullscreen());
    EXPECT_EQ(game->releases, 4);

    // Escape brings the window back.
    game->send(WM_KEYDOWN, VK_ESCAPE);
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_FALSE(game->getGraphics()->getFullscreen());
    RECT client{};
    GetClientRect(window.hwnd, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
}

TEST_F(GameLoop, ALostDeviceWaitsThenIsResetOnceEverythingIsReleased)
{
    using namespace platform::testing;
    forceDeviceState(D3DERR_DEVICELOST);
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_EQ(totalSleptMilliseconds(), 100u);
    EXPECT_EQ(game->releases, 0);

    // A picture still held keeps the device from resetting: retried each frame.
    UINT w = 0, h = 0;
    LP_TEXTURE held = nullptr;
    ASSERT_EQ(game->getGraphics()->loadTexture("pictures\\marker.png", w, h, held), D3D_OK);
    forceDeviceState(D3DERR_DEVICENOTRESET);
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_EQ(game->releases, 1);
    EXPECT_EQ(game->resets, 0);
    EXPECT_EQ(game->getGraphics()->getDeviceState(), D3DERR_DEVICENOTRESET);

    held->Release();
    advanceClock(0.01);
    game->run(window.hwnd);
    EXPECT_EQ(game->releases, 2);
    EXPECT_EQ(game->resets, 1);
    EXPECT_EQ(game->getGraphics()->getDeviceState(), D3D_OK);
    // The sprite, the frame-rate font, the console's font and panel, and the
    // two dialogs' fonts with their quads (four each, and the entry box).
    EXPECT_EQ(liveDefaultPoolObjects(), 4 + 2 + 4 + 5) << "everything released is back";
}
