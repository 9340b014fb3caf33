#include "screen_fixture.h"

#include "entities/ship.h"
#include "levels/level.h"
#include "screens/end_of_run_screen.h"
#include "screens/high_score_screen.h"

class EndOfRun : public ScreenFixture {
protected:
    Ship& ship() { return *game->getShip(); }
    Level& level(int n) { return *static_cast<Level*>(game->findState("LEVEL" + std::to_string(n))); }
    void type(const std::string& letters)
    {
        for (char c : letters)
            input().keyIn(static_cast<WPARAM>(c));
        frame();
    }
    testsupport::Picture tablePicture()
    {
        game->renderGame();
        return testsupport::readBack();
    }
    static int differences(const testsupport::Picture& a, const testsupport::Picture& b, RECT r)
    {
        int n = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                n += a.at(x, y) != b.at(x, y);
        return n;
    }
};

TEST_F(EndOfRun, ALostGameSignsTheTableAndGoesBackToTheWelcome)
{
    game->easy = false;
    game->hard = true;
    goTo("LEVEL1");
    Level& lv = level(1);
    // Sit on the rammer until every ship is lost; the last one carries gold.
    EnemyBase& rammer = lv.getEnemyShip1s()[0];
    for (int frames = 0; frames < 60 * 40 && lv.getActive(); ++frames) {
        if (ship().getActive()) {
            ship().setX(rammer.getX() + 10);
            ship().setY(rammer.getY() + 10);
        }
        if (ship().getLives() == 0)
            ship().setGold(4321);
        frame(1.0f / 60);
    }
    ASSERT_EQ(current(), "GAMEOVER");
    EXPECT_TRUE(game->easy) << "the next run starts easy";
    EXPECT_FALSE(game->hard);
    EXPECT_EQ(game->nextLevel, 2);
    EXPECT_TRUE(game->afterGameOver);
    EXPECT_EQ(game->getAudio()->playingInstances("CRYSTALCAVERN"), 1);

    type("ZED");
    press(VK_RETURN);
    ASSERT_EQ(current(), "HIGHSCORE");
    EXPECT_EQ(game->getAudio()->playingInstances("CRYSTALCAVERN"), 0) << "stopped on leaving";
    EXPECT_EQ(game->highScores[0], 4321);
    EXPECT_EQ(game->highScoreNames[0], "ZED");
    const std::string file = testsupport::readFile(saves.file("HighScores.txt"));
    EXPECT_EQ(file.substr(0, 5), "4321\n");
    EXPECT_NE(file.find("\nZED\nDUS\n"), std::string::npos) << file;

    // On the table: the top row shows the new name, not the old one.
    const testsupport::Picture shown = tablePicture();
    game->highScoreNames[0] = "DUS";
    const testsupport::Picture other = tablePicture();
    game->highScoreNames[0] = "ZED";
    EXPECT_GT(differences(shown, other, RECT{300, 130, 400, 170}), 50);
    EXPECT_EQ(differences(shown, other, RECT{0, 175, 800, 600}), 0);

    // START does nothing after a lost game; A, after 2 s, goes to the welcome.
    wait(2.0f);
    holdPad(XINPUT_GAMEPAD_START);
    frame();
    EXPECT_EQ(current(), "HIGHSCORE");
    holdPad(XINPUT_GAMEPAD_A);
    frame();
    EXPECT_EQ(current(), "FRONTEND");
    EXPECT_FALSE(game->afterGameOver);
}

TEST_F(EndOfRun, AFinishedVoyageGoesOnToTheCreditsAndTheWelcome)
{
    goTo("LEVEL10");
    ship().setGold(2600);
    // Onto the whirlpool, as the player would sail there, and wait.
    EndLevelMarker& whirlpool = level(10).getEndMarker();
    for (int frames = 0; frames < 60 * 4 && current() == "LEVEL10"; ++frames) {
        ship().setX(whirlpool.getX());
        ship().setY(whirlpool.getY());
        ship().setBoxComputed(false);
        frame(1.0f / 60);
    }
    ASSERT_EQ(current(), "COMPLETE");
    EXPECT_FALSE(game->afterGameOver);
    EXPECT_EQ(game->getAudio()->playingInstances("ENDINGCREDITS"), 1);

    press(VK_RETURN);  // no name typed: accepted as empty
    ASSERT_EQ(current(), "HIGHSCORE");
    EXPECT_EQ(game->highScores[0], 2700) << "the level bonus came first";
    EXPECT_EQ(game->highScoreNames[0], "");
    EXPECT_EQ(game->getAudio()->playingInstances("ENDINGCREDITS"), 1) << "the music plays on";

    wait(1.8f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "HIGHSCORE") << "guarded for two seconds";
    wait(0.3f);
    press(VK_RETURN);
    ASSERT_EQ(current(), "CREDITS");
    wait(2.1f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "FRONTEND");
}

TEST_F(EndOfRun, HoldingStartSignsAtOnceAndTheBoxIsOpenEveryTime)
{
    goTo("LEVEL2");
    holdPad(XINPUT_GAMEPAD_START);
    game->switchState("COMPLETE", "LEVEL2");
    frame();
    EXPECT_EQ(current(), "HIGHSCORE");
    holdPad(0);

    goTo("GAMEOVER");
    EXPECT_TRUE(screen<EndOfRunScreen>("GAMEOVER").getNameBox().getVisible());
    EXPECT_TRUE(screen<EndOfRunScreen>("COMPLETE").getNameBox().getVisible());
}

TEST_F(EndOfRun, WithSoundOffNoCueStartsButTheGameOverMusicIsStillStopped)
{
    Audio& audio = *game->getAudio();
    goTo("GAMEOVER");
    ASSERT_EQ(audio.playingInstances("CRYSTALCAVERN"), 1);
    audio.setSoundOn(false);
    goTo("TITLESCREEN");
    EXPECT_EQ(audio.playingInstances("CRYSTALCAVERN"), 0);
    goTo("COMPLETE");
    EXPECT_EQ(audio.playingInstances("ENDINGCREDITS"), 0);
}

TEST_F(EndOfRun, TheTableFromTheTitleGoesBackToIt)
{
    goTo("TITLESCREEN");
    game->highScoreFromTitle = true;
    goTo("HIGHSCORE");
    wait(1.8f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "HIGHSCORE") << "Enter before 2 s";
    wait(0.2f);
    press(VK_RETURN);
    EXPECT_EQ(current(), "TITLESCREEN");
    EXPECT_FALSE(game->highScoreFromTitle);
    EXPECT_EQ(screen<HighScoreScreen>("HIGHSCORE").getTimer(), 0.0f);
}
