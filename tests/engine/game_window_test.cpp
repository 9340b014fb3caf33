#include "base/game_error.h"
#include "engine/game_window.h"
#include "probe_game.h"

#include <gtest/gtest.h>

namespace {

class FailingGame : public ProbeGame {
public:
    void initialize(HWND hwnd) override
    {
        Game::initialize(hwnd);
        throw GameError(FATAL_ERROR, "Error initializing frontend texture");
    }
};

}  // namespace

TEST(EntryPoint, AFatalErrorIsShownInABoxTitledErrorAndTheExitCodeIsOne)
{
    ::testing::internal::CaptureStderr();
    int code = playGame(new FailingGame, nullptr, SW_SHOWNORMAL);
    std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, 1) << "a failure is not reported as success";
    EXPECT_NE(shown.find("Error: Error initializing frontend texture"), std::string::npos) << shown;
}

TEST(EntryPoint, ClosingTheWindowEndsTheLoopWithExitCodeZero)
{
    auto* game = new ProbeGame;
    game->onUpdate = [game] {
        if (game->updates == 3)
            platform::testing::closeWindow();
    };
    int code = playGame(game, nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(code, 0);
}

TEST(EntryPoint, TheClientAreaIs800By600)
{
    HWND hwnd = nullptr;
    ASSERT_TRUE(createMainWindow(hwnd, nullptr, SW_SHOWNORMAL));
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    DestroyWindow(hwnd);
    drainMessages();
}
