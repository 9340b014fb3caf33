#include "level_fixture.h"

#include "engine/console.h"

#include <cstdlib>

class PlayThrough : public LevelFixture {
protected:
    // Sails onto a pick-up and waits until it is taken.
    void collect(Level& lv, Entity& pickup)
    {
        const Cell target = cellUnder(pickup, 64 * pickup.getScale());
        ASSERT_TRUE(sailTo(lv, target)) << "cannot reach the pick-up at " << pickup.getX() << ", " << pickup.getY();
        step(2);
        ASSERT_FALSE(pickup.getActive()) << "the pick-up at " << pickup.getX() << ", " << pickup.getY() << " was not taken";
    }

    // Below the enemy's patrol, facing up, fires whenever a ball would meet it.
    void sinkFromBelow(Level& lv, EnemyBase& enemy, int column)
    {
        const Cell under{cellUnder(enemy, 64).row + 1, column};
        ASSERT_FALSE(lv.getTileMap().isSolid(under.row, under.col));
        ASSERT_TRUE(sailTo(lv, under));
        hold(VK_UP);  // one frame up turns the ship to face the enemy
        step();
        release(VK_UP);
        ASSERT_TRUE(ship().isFacingUp());

        float lastX = enemy.getX();
        for (int frames = 0; frames < 60 * 60 && !enemy.getExploding(); ++frames) {
            const float perFrame = enemy.getX() - lastX;
            lastX = enemy.getX();
            const float flight = (ship().getY() - enemy.getY()) / 600.0f;  // seconds for the ball to get there
            const float lead = perFrame / FRAME * flight;
            const float offset = enemy.getCenterX() + lead - ship().getCenterX();
            if (std::fabs(offset) < 6 && ship().getFireTimer() > 1.6f && !ship().getCannon()->getActive())
                input().keyDown(VK_SPACE), input().keyUp(VK_SPACE);
            step();
            if (ship().getAmmo() == 0 && !ship().getCannon()->getActive())
                break;
        }
        ASSERT_TRUE(enemy.getExploding() || !enemy.getActive()) << "the enemy survived with "
                                                                 << enemy.getHealth() << " health";
    }
};

TEST_F(PlayThrough, LevelOneFromStartToTheWhirlpool)
{
    game->getConsole()->showHide();
    typeCommand("LEVEL1");
    game->getConsole()->showHide();
    Level& lv = level(1);
    ASSERT_TRUE(lv.getActive());
    EXPECT_EQ(game->nextLevel, 2);
    EXPECT_EQ(ship().getX(), 2.0f);
    EXPECT_EQ(ship().getY(), 380.0f);
    EXPECT_EQ(ship().getAmmo(), 2);
    EXPECT_EQ(ship().getLives(), 3);

    // Pick up everything, nearest first as a player would.
    for (Entity* p : {&lv.getCoins()[2], &lv.getTreasures()[0], &lv.getHealthPickups()[0], &lv.getAmmoPickups()[0],
                      &lv.getCoins()[1], &lv.getCoins()[0]})
        collect(lv, *p);
    const int collected = 3 * 50 + 100;
    EXPECT_EQ(ship().getGold(), collected);
    EXPECT_EQ(ship().getAmmo(), 3);

    // The patrol along the top: two hits sink it.
    EnemyBase& patrol = lv.getEnemyShips()[0];
    const int column = cellUnder(lv.getAmmoPickups()[0], 64 * 0.6f).col;
    sinkFromBelow(lv, patrol, column);
    EXPECT_EQ(ship().getGold(), collected + 2 * 20);
    step(60 * 2);
    EXPECT_FALSE(patrol.getVisible()) << "the wreck is gone once the explosion has run";

    // Into the whirlpool and wait: three seconds there win the level.
    ASSERT_TRUE(sailTo(lv, cellUnder(lv.getEndMarker(), 32)));
    for (int frames = 0; frames < 60 * 5 && lv.getActive(); ++frames)
        step();
    EXPECT_FALSE(lv.getActive());
    EXPECT_TRUE(active("UPGRADESCREEN"));
    const int won = collected + 2 * 20 + 100;
    EXPECT_EQ(ship().getGold(), won);

    // In the shop, with a windfall to spend: sails, hull, cannon, one
    // cannonball, then Proceed. The cursor starts on Proceed.
    ship().addGold(3000);
    const int ammo = ship().getAmmo();
    auto key = [&](UCHAR k) {
        input().keyDown(k);
        step();
        input().keyUp(k);
    };
    for (UCHAR k : {VK_UP, VK_RETURN, VK_RIGHT, VK_RETURN, VK_UP, VK_RETURN, VK_LEFT, VK_RETURN})
        key(k);  // hull; cannon; the cannonball; sails
    EXPECT_EQ(ship().getGold(), won + 3000 - 1000 - 1750 - 100 - 300);
    EXPECT_EQ(ship().getAmmo(), ammo + 1);
    for (UCHAR k : {VK_DOWN, VK_DOWN, VK_RETURN})
        key(k);  // by the hull down to Proceed
    Level& next = level(2);
    ASSERT_TRUE(next.getActive());
    EXPECT_FALSE(active("UPGRADESCREEN"));
    EXPECT_EQ(game->nextLevel, 3);
    EXPECT_EQ(ship().getSpeed(), 200.0f);
    EXPECT_EQ(ship().getCannonDamage(), 30);
    EXPECT_EQ(ship().getHitDamage(), 17);
    EXPECT_EQ(ship().getAmmo(), ammo + 1);
    EXPECT_EQ(ship().getGold(), won + 3000 - 3150) << "level 2 starts with what was left";
    EXPECT_EQ(ship().getX(), 580.0f) << "at level 2's start";
}

TEST_F(PlayThrough, LosingEveryShipEndsTheGame)
{
    Level& lv = enter(1);
    EnemyBase& rammer = lv.getEnemyShip1s()[0];
    int sinkings = 0;
    bool wasExploding = false;
    for (int frames = 0; frames < 60 * 40 && lv.getActive(); ++frames) {
        // Stay in the enemy's way: it rams the ship again and again.
        if (ship().getActive()) {
            ship().setX(rammer.getX() + 10);
            ship().setY(rammer.getY() + 10);
        }
        step();
        if (ship().getExploding() && !wasExploding)
            ++sinkings;
        wasExploding = ship().getExploding();
    }
    EXPECT_EQ(sinkings, 4) << "three lives and the last ship";
    EXPECT_TRUE(active("GAMEOVER"));
    EXPECT_FALSE(lv.getActive());
    EXPECT_EQ(ship().getLives(), 0);
}
