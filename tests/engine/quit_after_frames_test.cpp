#include "engine/game_window.h"
#include "probe_game.h"

#include <gtest/gtest.h>

#include <cstdlib>

// KEELHAVEN_QUIT_AFTER_FRAMES lets a script start the real game and see it
// come up and go down: the loop must end on its own, cleanly, after N frames.
TEST(QuitAfterFrames, TheLoopEndsWithExitCodeZeroAfterExactlyThatManyFrames)
{
    setenv("KEELHAVEN_QUIT_AFTER_FRAMES", "5", 1);
    auto* game = new ProbeGame;
    int frames = 0;
    game->onUpdate = [game, &frames] {
        frames = game->updates;
        if (game->updates > 50)
            platform::testing::closeWindow();  // the hook failed: do not hang
    };
    int code = playGame(game, nullptr, SW_SHOWNORMAL);
    unsetenv("KEELHAVEN_QUIT_AFTER_FRAMES");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(frames, 5);
}

TEST(QuitAfterFrames, NonsenseOrZeroMeansRunUntilClosed)
{
    for (const char* value : {"0", "-3", "soon"}) {
        setenv("KEELHAVEN_QUIT_AFTER_FRAMES", value, 1);
        auto* game = new ProbeGame;
        int frames = 0;
        game->onUpdate = [game, &frames] {
            frames = game->updates;
            if (game->updates == 20)
                platform::testing::closeWindow();
        };
        EXPECT_EQ(playGame(game, nullptr, SW_SHOWNORMAL), 0) << value;
        EXPECT_EQ(frames, 20) << value;
    }
    unsetenv("KEELHAVEN_QUIT_AFTER_FRAMES");
}
