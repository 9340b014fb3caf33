#include "screen_fixture.h"

#include "entities/ship.h"
#include "levels/level.h"
#include "screens/pause_screen.h"

namespace {
enum { RESUME, SAVE, QUIT };
}

class Pause : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        goTo("LEVEL3");
        game->nextLevel = 4;
        wait(1.0f, 0.02f);
    }
    Ship& ship() { return *game->getShip(); }
    Level& level3() { return *static_cast<Level*>(game->findState("LEVEL3")); }
    int selection() { return screen<PauseScreen>("PAUSESCREEN").getCursor().selection; }
    void pause()
    {
        press('P');
        ASSERT_EQ(current(), "PAUSESCREEN");
    }
    void select(int item)
    {
        while (selection() != item)
            press(VK_DOWN);
    }
    // The level as a save would record it: positions, health, pick-ups.
    std::string levelNow()
    {
        std::ostringstream out;
        level3().saveState(out);
        return out.str();
    }
};

TEST_F(Pause, ResumeGoesOnWhereTheLevelStopped)
{
    ship().setGold(123);  // a fresh start would put back the gold and health
    ship().setHealth(55);
    pause();
    EXPECT_EQ(ship().getFireTimer(), 0.0f);
    const std::string paused = levelNow();
    const float enemyX = level3().getEnemyShips()[0].getX();
    const float enemyY = level3().getEnemyShips()[0].getY();
    wait(2.0f);
    EXPECT_EQ(levelNow(), paused) << "nothing moves while paused";

    // Resume switches the level back on, and it plays on in the same frame,
    // from where it was: nothing is put back to its start.
    press(VK_RETURN);
    EXPECT_EQ(current(), "LEVEL3");
    EXPECT_EQ(ship().getGold(), 123);
    EXPECT_EQ(ship().getHealth(), 55);
    EXPECT_NEAR(level3().getEnemyShips()[0].getX(), enemyX, 5);
    EXPECT_NEAR(level3().getEnemyShips()[0].getY(), enemyY, 5);
    EXPECT_NE(levelNow(), paused) << "the enemies sail on";
    EXPECT_LT(ship().getFireTimer(), 0.05f) << "the fire timer started again from 0";
}

TEST_F(Pause, TheMenuGoesRoundAndOpensOnResume)
{
    pause();
    press(VK_UP);
    EXPECT_EQ(selection(), QUIT);
    for (int i = 0; i < 3; ++i)
        press(VK_DOWN);
    EXPECT_EQ(selection(), QUIT) << "three steps down come back round";
    press(VK_DOWN);
    EXPECT_EQ(selection(), RESUME);

    // The pad moves once per press.
    holdPad(XINPUT_GAMEPAD_DPAD_DOWN);
    wait(0.5f, 0.02f);
    EXPECT_EQ(selection(), SAVE);
    holdPad(0);
    frame();

    press(VK_UP);
    press(VK_RETURN);  // Resume
    pause();
    EXPECT_EQ(selection(), RESUME);
    select(SAVE);
    press(VK_RETURN);
    select(RESUME);
    press(VK_RETURN);
    pause();
    EXPECT_EQ(selection(), RESUME) << "not where it was left: one Enter always resumes";
}

TEST_F(Pause, SaveShowsTheBannerForFourSeconds)
{
    pause();
    wait(3.5f);
    select(SAVE);
    press(VK_RETURN);
    EXPECT_TRUE(game->saveMessageShown);
    EXPECT_EQ(current(), "PAUSESCREEN");
    EXPECT_EQ(testsupport::readFile(saves.file("StateSave.txt")).substr(0, 9), "LEVEL3\n4\n");
    EXPECT_TRUE(std::filesystem::exists(saves.file("KeelhavenSave.txt")));
    wait(3.9f);
    EXPECT_TRUE(game->saveMessageShown);
    wait(0.2f);
    EXPECT_FALSE(game->saveMessageShown) << "gone four seconds after the save";

    // The banner is drawn in red across the top.
    press(VK_RETURN);
    game->renderGame();
    const testsupport::Picture withBanner = testsupport::readBack();
    int red = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 180; x < 680; ++x)
            red += testsupport::red(withBanner.at(x, y)) > 200 && testsupport::green(withBanner.at(x, y)) < 60;
    EXPECT_GT(red, 500);
}

TEST_F(Pause, HoldingAOnSaveSavesEveryFrame)
{
    pause();
    select(SAVE);
    holdPad(XINPUT_GAMEPAD_A);
    for (int i = 0; i < 5; ++i) {
        std::filesystem::remove(saves.file("StateSave.txt"));
        frame();
        EXPECT_TRUE(std::filesystem::exists(saves.file("StateSave.txt"))) << "frame " << i;
    }
}

TEST_F(Pause, ASaveThatFailsSaysSoAndTheGameGoesOn)
{
    const std::string file = saves.file("not-a-folder").string();
    testsupport::writeFile(file, "x");
    setenv("KEELHAVEN_SAVE_DIR", file.c_str(), 1);
    pause();
    select(SAVE);
    press(VK_RETURN);
    EXPECT_FALSE(game->saveMessageShown);
    const ScreenNotice* notice = screen<PauseScreen>("PAUSESCREEN").getNotice();
    ASSERT_TRUE(notice->shown());
    EXPECT_NE(notice->text().find("not saved"), std::string::npos) << notice->text();
    select(RESUME);
    press(VK_RETURN);
    EXPECT_EQ(current(), "LEVEL3");
}

TEST_F(Pause, QuitGoesToTheTitleAndStartsTheNextGameEasy)
{
    game->easy = false;
    game->hard = true;
    game->nextLevel = 25;
    pause();
    select(QUIT);
    press(VK_RETURN);
    press(VK_RETURN);  // yes: nothing was saved since the level began
    frame();
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_TRUE(game->easy);
    EXPECT_FALSE(game->hard);
    EXPECT_EQ(game->nextLevel, 2);
    EXPECT_EQ(game->getAudio()->playingInstances("KEELHAVENDARKTHEME"), 0);
    EXPECT_EQ(game->getAudio()->playingInstances("BALLAD3"), 1);
}
