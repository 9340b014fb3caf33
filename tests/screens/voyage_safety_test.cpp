// A voyage is never lost by accident: a look at the high-score table from a
// level, a held key, a stray Enter on the pause screen, Alt+Enter on a menu,
// and a save from the bonus level.
#include "screen_fixture.h"

#include "engine/message_dialog.h"
#include "entities/ship.h"
#include "screens/pause_screen.h"
#include "screens/title_screen.h"

namespace {
enum { RESUME, SAVE, QUIT };
}

class VoyageSafety : public ScreenFixture {
protected:
    Ship& ship() { return *game->getShip(); }
    int playing(const char* cue) { return game->getAudio()->playingInstances(cue); }
    MessageDialog& box() { return *game->getMessageDialog(); }
    int pauseSelection() { return screen<PauseScreen>("PAUSESCREEN").getCursor().selection; }
    void selectOnPause(int item)
    {
        while (pauseSelection() != item)
            press(VK_DOWN);
    }
    // The window's messages, as the real loop hands them to the game.
    void pump()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            game->messageHandler(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    void altEnter()
    {
        input().keyDown(VK_MENU);
        press(VK_RETURN);
        input().keyUp(VK_MENU);
        frame();
    }
};

TEST_F(VoyageSafety, HInALevelIsALookAtTheTableThatComesBackToTheSameLevelPaused)
{
    game->getAudio()->setSoundOn(true);
    goTo("LEVEL1");
    wait(0.5f, 0.02f);
    ship().setGold(77);
    const float x = ship().getX(), y = ship().getY();
    ASSERT_EQ(playing("KEELHAVENDARKTHEME"), 1);

    input().keyDown('H');
    frame();
    input().keyUp('H');
    EXPECT_EQ(current(), "HIGHSCORE");
    wait(2.1f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "PAUSESCREEN") << "back to the level, paused; not on to the credits";
    EXPECT_EQ(game->pausedStateName, "LEVEL1");
    EXPECT_EQ(pauseSelection(), RESUME);
    frame();
    EXPECT_EQ(current(), "PAUSESCREEN") << "the Enter that left the table does not also resume";

    press(VK_RETURN);
    EXPECT_EQ(current(), "LEVEL1");
    EXPECT_EQ(ship().getGold(), 77) << "the same attempt, not a fresh one";
    EXPECT_NEAR(ship().getX(), x, 5);
    EXPECT_NEAR(ship().getY(), y, 5);
    EXPECT_EQ(playing("KEELHAVENDARKTHEME"), 1);
    EXPECT_EQ(playing("ENDINGCREDITS"), 0);
    EXPECT_EQ(playing("BALLAD3"), 0);

    // The table from the title still goes back to the title afterwards.
    goTo("TITLESCREEN");
    game->highScoreFromTitle = true;
    goTo("HIGHSCORE");
    wait(2.1f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
}

TEST_F(VoyageSafety, AHeldEnterThatRepeatsNeverSkipsTheStoryAndTheTitle)
{
    goTo("FRONTEND");
    wait(0.6f);
    platform::testing::keyDown(VK_RETURN);
    pump();
    frame(0.03f);
    ASSERT_EQ(current(), "INTRO") << "the first press moves on";
    for (int i = 0; i < 150; ++i) {  // about 4.5 s of auto-repeat
        platform::testing::keyDown(VK_RETURN, true);
        pump();
        frame(0.03f);
        ASSERT_EQ(current(), "INTRO") << "a repeat is no new press, after " << i << " repeats";
    }
    platform::testing::keyUp(VK_RETURN);
    pump();
    frame();
    EXPECT_TRUE(input().getTextIn().find('\r') != std::string::npos) << "typed text still repeats";
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN") << "a fresh press still works";
}

TEST_F(VoyageSafety, PauseOpensOnResumeAndAnUnsavedQuitAsksFirst)
{
    goTo("LEVEL3");
    wait(0.5f, 0.02f);
    press('P');
    selectOnPause(SAVE);
    press(VK_RETURN);
    selectOnPause(QUIT);
    press(VK_RETURN);  // saved since the level began: no question
    frame();
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_FALSE(box().getVisible());

    // A fresh attempt has saved nothing yet.
    goTo("LEVEL3");
    wait(0.2f, 0.02f);
    press('P');
    EXPECT_EQ(pauseSelection(), RESUME) << "after Save and Quit were chosen last time";
    selectOnPause(QUIT);
    press(VK_RETURN);
    EXPECT_EQ(current(), "PAUSESCREEN");
    EXPECT_TRUE(box().getVisible());
    EXPECT_NE(box().getText().find("not been saved"), std::string::npos);
    press(VK_DOWN);
    EXPECT_EQ(pauseSelection(), QUIT) << "the menu waits for the answer";

    press('N');
    EXPECT_FALSE(box().getVisible());
    EXPECT_EQ(current(), "PAUSESCREEN") << "No returns to the pause screen";
    press(VK_RETURN);
    EXPECT_TRUE(box().getVisible());
    press(VK_ESCAPE);
    EXPECT_FALSE(box().getVisible());
    EXPECT_EQ(current(), "PAUSESCREEN");

    // A click on NO, then Enter for yes.
    press(VK_RETURN);
    const RECT no = box().getButton2Rect();
    input().mouseIn(MAKELPARAM((no.left + no.right) / 2, (no.top + no.bottom) / 2));
    input().setMouseLButton(true);
    frame();
    input().setMouseLButton(false);
    frame();
    EXPECT_FALSE(box().getVisible());
    EXPECT_EQ(current(), "PAUSESCREEN");

    press(VK_RETURN);
    ASSERT_TRUE(box().getVisible());
    press(VK_RETURN);
    frame();
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_FALSE(box().getVisible());
}

TEST_F(VoyageSafety, GameSavedStaysAtLeastASecondAndAHalfAfterTheLastSave)
{
    goTo("LEVEL3");
    wait(0.2f, 0.02f);
    press('P');
    wait(3.5f);
    selectOnPause(SAVE);
    press(VK_RETURN);
    ASSERT_TRUE(game->saveMessageShown);
    wait(1.5f);
    EXPECT_TRUE(game->saveMessageShown) << "the timer runs from the save, not from the pause";
    press(VK_RETURN);  // saved again at about 5 s
    wait(1.5f);
    EXPECT_TRUE(game->saveMessageShown);
    wait(3.0f);
    EXPECT_FALSE(game->saveMessageShown) << "it does go in the end";
}

TEST_F(VoyageSafety, AltEnterTogglesFullScreenOnEveryScreenAndChoosesNothing)
{
    goTo("TITLESCREEN");
    ASSERT_EQ(screen<TitleScreen>("TITLESCREEN").getCursor().selection, 0) << "Start";
    altEnter();
    EXPECT_TRUE(game->getGraphics()->getFullscreen());
    EXPECT_EQ(current(), "TITLESCREEN") << "no game was started";
    altEnter();
    EXPECT_FALSE(game->getGraphics()->getFullscreen());

    game->nextLevel = 5;
    goTo("UPGRADESCREEN");
    const int gold = ship().getGold();
    altEnter();
    EXPECT_TRUE(game->getGraphics()->getFullscreen());
    EXPECT_EQ(current(), "UPGRADESCREEN") << "Proceed was not chosen";
    EXPECT_EQ(game->nextLevel, 5);
    EXPECT_EQ(ship().getGold(), gold);
    altEnter();
    EXPECT_FALSE(game->getGraphics()->getFullscreen());
}

TEST_F(VoyageSafety, TheBonusLevelLeadsOnToTwentyNineAndItsSavesLoad)
{
    // The shop reached from level 30 (by the console) leads to the bonus level.
    game->nextLevel = 31;
    goTo("UPGRADESCREEN");
    press(VK_RETURN);
    ASSERT_EQ(current(), "LEVEL31");
    EXPECT_EQ(game->nextLevel, 29);

    wait(0.3f, 0.02f);
    press('P');
    std::string why;
    ASSERT_TRUE(game->saveGame(&why)) << why;
    goTo("TITLESCREEN");
    EXPECT_TRUE(game->loadGame(&why)) << why;
    EXPECT_EQ(current(), "LEVEL31");
    EXPECT_EQ(game->nextLevel, 29);

    for (int level = 1; level <= 31; ++level) {
        const int after = Keelhaven::levelAfter(level);
        EXPECT_GE(after, 2) << level;
        EXPECT_LE(after, 31) << level;
    }
}
