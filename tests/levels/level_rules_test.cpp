#include "level_fixture.h"

// How the levels differ: progress on entry and on a lost ship, the exits,
// the H key and scrolling.
class LevelRulesTest : public LevelFixture {
protected:
    void sinkShip(Level& lv)
    {
        ship().setHealth(0);
        for (int i = 0; i < 4; ++i)
            lv.update(0.5f);
    }
    void winOn(Level& lv, Entity& whirlpool)
    {
        for (int i = 0; i < 40 && lv.getActive(); ++i) {
            ship().setX(whirlpool.getCenterX() - 32);
            ship().setY(whirlpool.getCenterY() - 32);
            lv.update(0.125f);
        }
    }
};

TEST_F(LevelRulesTest, ALaterLevelGivesBackWhatAFailedAttemptGained)
{
    ship().setGold(300);
    ship().setAmmo(4);
    ship().setLives(2);
    Level& lv = enter(5);
    EXPECT_EQ(ship().getGold(), 300);
    EXPECT_EQ(ship().getLives(), 2) << "lives carry on";
    ship().setGold(450);
    ship().setAmmo(1);
    sinkShip(lv);
    EXPECT_EQ(ship().getLives(), 1);
    EXPECT_EQ(ship().getGold(), 300);
    EXPECT_EQ(ship().getAmmo(), 4);
}

TEST_F(LevelRulesTest, TheNormalRunStartsAfreshUnlessAGauntletPassesThrough)
{
    ship().setGold(999);
    ship().setAmmo(7);
    ship().setLives(1);
    ship().setSpeed(250);
    Level& lv = enter(11);
    EXPECT_EQ(ship().getGold(), 0);
    EXPECT_EQ(ship().getAmmo(), 4);
    EXPECT_EQ(ship().getLives(), 3);
    EXPECT_EQ(ship().getSpeed(), 150.0f);
    sinkShip(lv);
    EXPECT_EQ(ship().getAmmo(), 4);

    game->gauntlet = true;
    ship().setGold(999);
    ship().setAmmo(7);
    ship().setLives(1);
    game->switchState("LEVEL11", "LEVEL11");
    game->switchState("LEVEL11", "LOGO");
    EXPECT_EQ(ship().getGold(), 999);
    EXPECT_EQ(ship().getAmmo(), 7);
    EXPECT_EQ(ship().getLives(), 1);
    ship().setGold(1200);
    sinkShip(lv);
    EXPECT_EQ(ship().getGold(), 999);
    EXPECT_EQ(ship().getLives(), 0);

    // The hard run starts with two cannonballs.
    game->gauntlet = false;
    enter(21);
    EXPECT_EQ(ship().getAmmo(), 2);
}

TEST_F(LevelRulesTest, TheEndsOfTheRunsLeadToTheCompleteScreen)
{
    Level& ten = enter(10);
    winOn(ten, ten.getEndMarker());
    EXPECT_TRUE(active("COMPLETE"));

    game->gauntlet = true;
    enter(10);
    winOn(ten, ten.getEndMarker());
    EXPECT_TRUE(active("UPGRADESCREEN")) << "a gauntlet goes on";

    Level& thirty = enter(30);
    winOn(thirty, thirty.getEndMarker());
    EXPECT_TRUE(active("COMPLETE"));
}

TEST_F(LevelRulesTest, LevelTwentyEightsSecondWhirlpoolLeadsToTheBonusLevel)
{
    Level& lv = enter(28);
    ASSERT_NE(lv.getSecondEndMarker(), nullptr);
    EXPECT_EQ(lv.getSecondEndMarker()->getX(), 1501.0f);
    EXPECT_EQ(lv.getSecondEndMarker()->getY(), 16.0f);
    game->nextLevel = 29;
    winOn(lv, *lv.getSecondEndMarker());
    EXPECT_TRUE(level(31).getActive());
    EXPECT_FALSE(active("UPGRADESCREEN"));
    EXPECT_EQ(game->nextLevel, 29) << "the shop after the bonus level goes on to 29";
}

TEST_F(LevelRulesTest, OnlySomeLevelsLetHShowTheHighScores)
{
    enter(2);
    input().keyDown('H');
    step();
    EXPECT_TRUE(level(2).getActive());
    EXPECT_FALSE(active("HIGHSCORE"));
    input().keyUp('H');

    enter(21);
    input().keyDown('H');
    step();
    input().keyUp('H');
    EXPECT_TRUE(active("HIGHSCORE"));
}

TEST_F(LevelRulesTest, AWideMapScrollsWhileTheShipPressesOnItsEdge)
{
    Level& lv = enter(21);
    Entity& coin = lv.getCoins()[0];
    const float coinStart = coin.getX();
    ship().setX(600 - 64);
    hold(VK_RIGHT);
    lv.update(FRAME);  // no collisions: nothing pushes the ship
    const float shipX = ship().getX();
    const float coinX = coin.getX();
    const float mapX = lv.getMapX();
    lv.update(FRAME);
    EXPECT_EQ(ship().getX(), shipX) << "the ship is held at the edge of its window";
    EXPECT_FLOAT_EQ(coin.getX(), coinX - 150.0f * FRAME);
    EXPECT_FLOAT_EQ(lv.getMapX(), mapX - 150.0f * FRAME);

    // Past the right end the map stops and the ship sails on by itself.
    while (lv.getMapX() >= -780.0f)
        lv.update(FRAME);
    EXPECT_GT(lv.getMapX(), -780.0f - 150.0f * FRAME - 0.01f);
    const float stopped = lv.getMapX();
    const float before = ship().getX();
    lv.update(FRAME);
    EXPECT_EQ(lv.getMapX(), stopped);
    EXPECT_GT(ship().getX(), before);
    release(VK_RIGHT);

    // Back to the start on a lost ship.
    sinkShip(lv);
    EXPECT_EQ(lv.getMapX(), 0.0f);
    EXPECT_EQ(coin.getX(), coinStart);
}

TEST_F(LevelRulesTest, ANarrowMapNeverScrolls)
{
    Level& lv = enter(1);
    Entity& coin = lv.getCoins()[0];
    const float coinX = coin.getX();
    ship().setX(600 - 64);
    hold(VK_RIGHT);
    step(10);
    hold(VK_LEFT);
    release(VK_RIGHT);
    ship().setX(150);
    step(10);
    release(VK_LEFT);
    EXPECT_EQ(lv.getMapX(), 0.0f);
    EXPECT_EQ(coin.getX(), coinX);
}
