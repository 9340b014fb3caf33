#include "level_fixture.h"

#include "engine/audio.h"

class LevelPlay : public LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        lv = &enter(1);
    }
    // Enemies stand still, out of the way unless a test moves them.
    void parkEnemies()
    {
        float x = 20;
        for (EnemyBase* e : enemies()) {
            e->stopMoving();
            e->setX(x);
            e->setY(1000);
            x += 100;
        }
    }
    std::vector<EnemyBase*> enemies()
    {
        std::vector<EnemyBase*> all;
        for (auto& e : lv->getEnemyShips())
            all.push_back(&e);
        for (auto& e : lv->getEnemyShip1s())
            all.push_back(&e);
        return all;
    }
    void onto(Entity& e)
    {
        ship().setX(e.getX());
        ship().setY(e.getY());
        ship().setBoxComputed(false);
    }
    Level* lv = nullptr;
};

TEST_F(LevelPlay, EnteringLevelOneStartsAFreshGame)
{
    EXPECT_EQ(ship().getGold(), 0);
    EXPECT_EQ(ship().getLives(), 3);
    EXPECT_EQ(ship().getAmmo(), 2);
    EXPECT_EQ(ship().getX(), 2.0f);
    EXPECT_EQ(ship().getY(), 380.0f);
    EXPECT_EQ(lv->getEnemyShip1s()[0].getY(), 194.0f) << "first placed where initialize puts it";

    // A gauntlet run starts with a single ship.
    game->gauntlet = true;
    game->switchState("LEVEL1", "LEVEL1");
    game->switchState("LEVEL1", "LOGO");
    EXPECT_EQ(ship().getLives(), 1);
    EXPECT_EQ(lv->getEnemyShip1s()[0].getY(), 256.0f) << "later restarts put it at its respawn point";
}

TEST_F(LevelPlay, MarkersTurnEnemiesAroundTheirOwnPlace)
{
    // The marker picture has a size, but a marker's box is centred on its position.
    InvisibleMarker& marker = lv->getMarkers()[2];
    ASSERT_EQ(marker.getX(), 224.0f);  // on the brig's centre line
    EXPECT_EQ(*marker.getCenter(), D3DXVECTOR2(224, 90));

    // The vertical patrol runs between the markers at y 90 and 455 and back.
    EnemyBase& patrol = lv->getEnemyShip1s()[0];
    float top = 1e9f, bottom = -1e9f;
    for (int i = 0; i < 60 * 20; ++i) {
        ship().setHealth(100);
        lv->update(FRAME);
        lv->collisions(FRAME);
        top = std::min(top, patrol.getCenterY());
        bottom = std::max(bottom, patrol.getCenterY());
    }
    EXPECT_NEAR(top, 90 + 32 + 20, 12);
    EXPECT_NEAR(bottom, 455 - 32 - 20, 12);
}

TEST_F(LevelPlay, RammingHurtsOncePerCooldownForEachKind)
{
    parkEnemies();
    // dt of 1/8 s adds up exactly: EnemyShip hurts every 8th test, EnemyShip1
    // every 4th. The cooldown is one timer for all: by the time EnemyShip1
    // rams, a second has passed since the last damage, so it hurts at once.
    for (EnemyBase* rammer : enemies()) {
        rammer->setX(300);
        rammer->setY(200);
        ship().setHealth(1000);
        std::vector<int> hurtAt;
        for (int call = 1; call <= 16; ++call) {
            onto(*rammer);
            const float before = ship().getHealth();
            lv->collisions(0.125f);
            if (ship().getHealth() < before)
                hurtAt.push_back(call);
        }
        rammer->setY(1000);
        const bool enemyShip = rammer == &lv->getEnemyShips()[0];
        EXPECT_EQ(hurtAt, enemyShip ? (std::vector<int>{8, 16}) : (std::vector<int>{1, 5, 9, 13}));
        EXPECT_EQ(ship().getHealth(), 1000.0f - 34.0f * static_cast<float>(hurtAt.size()));
        // Sail free for a full second.
        for (int i = 0; i < 8; ++i)
            lv->collisions(0.125f);
    }
}

TEST_F(LevelPlay, TwoRamsLeaveThirtyTwoAndTheThirdSinksTheShipAfterTheWait)
{
    parkEnemies();
    EnemyBase& rammer = lv->getEnemyShips()[0];
    rammer.setX(300);
    rammer.setY(200);
    int rams = 0;
    while (rams < 3) {
        onto(rammer);
        const float before = ship().getHealth();
        lv->collisions(0.125f);
        rams += ship().getHealth() < before ? 1 : 0;
        if (rams == 2) {
            EXPECT_EQ(ship().getHealth(), 32.0f);
        }
    }
    EXPECT_EQ(ship().getHealth(), -2.0f);
    rammer.setY(1000);
    lv->update(0.5f);
    EXPECT_TRUE(ship().getExploding());
    EXPECT_FALSE(ship().getActive());
    lv->update(0.5f);
    EXPECT_EQ(ship().getLives(), 3);
    lv->update(0.5f);  // 1.5 s after the explosion: the next ship
    EXPECT_EQ(ship().getLives(), 2);
    EXPECT_EQ(ship().getHealth(), 100.0f);
    EXPECT_TRUE(ship().getActive());
    EXPECT_EQ(ship().getX(), 2.0f);
    EXPECT_EQ(lv->getLevelTimer(), 0.0f);
}

TEST_F(LevelPlay, ASinkingShipSoundsOneExplosionNotOneAFrame)
{
    parkEnemies();
    Audio& audio = *game->getAudio();
    audio.setSoundOn(true);
    ship().setHealth(0);
    for (int i = 0; i < 80; ++i)  // most of the wait before the next ship
        lv->update(FRAME);
    EXPECT_TRUE(ship().getExploding());
    EXPECT_EQ(audio.playingInstances("SHIPEXPLOSION"), 1);
}

TEST_F(LevelPlay, EnemyFireHurtsEveryTimeWithoutCooldown)
{
    parkEnemies();
    Cannon& ball = *lv->getEnemyShips()[0].getCannon();
    for (int i = 0; i < 3; ++i) {
        ball.setActive(true);
        ball.setVisible(true);
        ball.setX(ship().getCenterX() - 8);
        ball.setY(ship().getCenterY() - 8);
        lv->collisions(FRAME);
        EXPECT_FALSE(ball.getActive());
    }
    EXPECT_EQ(ship().getHealth(), 85.0f);
}

TEST_F(LevelPlay, AltSailsThroughEnemiesButStillCollects)
{
    parkEnemies();
    EnemyBase& rammer = lv->getEnemyShips()[0];
    rammer.setX(300);
    rammer.setY(200);
    input().keyDown(VK_MENU);
    for (int i = 0; i < 20; ++i) {
        onto(rammer);
        lv->collisions(0.125f);
    }
    EXPECT_EQ(ship().getHealth(), 100.0f);
    onto(lv->getCoins()[0]);
    lv->collisions(FRAME);
    input().keyUp(VK_MENU);
    EXPECT_EQ(ship().getGold(), 50);
    EXPECT_FALSE(lv->getCoins()[0].getVisible());
}

TEST_F(LevelPlay, PickUpsPayOnceAndComeBackOnlyWithTheNextShip)
{
    parkEnemies();
    onto(lv->getTreasures()[0]);
    lv->collisions(FRAME);
    lv->collisions(FRAME);
    EXPECT_EQ(ship().getGold(), 100);
    ship().setHealth(90);
    onto(lv->getHealthPickups()[0]);
    lv->collisions(FRAME);
    EXPECT_EQ(ship().getHealth(), 124.0f) << "health pick-ups may go past 100 until the ship's update";
    onto(lv->getAmmoPickups()[0]);
    lv->collisions(FRAME);
    EXPECT_EQ(ship().getAmmo(), 3);

    lv->respawn();
    EXPECT_TRUE(lv->getTreasures()[0].getActive());
    EXPECT_EQ(ship().getGold(), 0) << "level 1 starts every ship afresh";
    EXPECT_EQ(ship().getAmmo(), 2);
}

TEST_F(LevelPlay, WhirlpoolTimeAddsUpAcrossVisitsAndOnlyMoreThanThreeSecondsWins)
{
    parkEnemies();
    EndLevelMarker& whirlpool = lv->getEndMarker();
    auto stayOn = [&](int eighths) {
        for (int i = 0; i < eighths; ++i) {
            ship().setX(whirlpool.getCenterX() - 32);
            ship().setY(whirlpool.getCenterY() - 32);
            lv->update(0.125f);
        }
    };
    stayOn(12);  // 1.5 s
    EXPECT_EQ(lv->getLevelTimer(), 1.5f);
    EXPECT_NE(ship().getDegrees(), 0.0f);
    EXPECT_LT(ship().getScale(), 1.0f);

    ship().setX(2);
    ship().setY(380);
    lv->update(0.125f);
    EXPECT_EQ(ship().getDegrees(), 0.0f) << "leaving straightens the ship at once";
    EXPECT_EQ(ship().getScale(), 1.0f);
    EXPECT_EQ(lv->getLevelTimer(), 1.5f) << "but the time spent is kept";

    stayOn(12);  // exactly 3.0 s: not yet
    EXPECT_TRUE(lv->getActive());
    stayOn(1);
    EXPECT_FALSE(lv->getActive());
    EXPECT_TRUE(active("UPGRADESCREEN"));
    EXPECT_EQ(ship().getGold(), 100);
    EXPECT_EQ(lv->getLevelTimer(), 0.0f);
}

TEST_F(LevelPlay, PauseAndHighScoreKeysLeaveTheLevel)
{
    input().keyDown('P');
    input().keyUp('P');
    step();
    EXPECT_TRUE(active("PAUSESCREEN"));
    EXPECT_FALSE(lv->getActive());
    EXPECT_EQ(game->pausedStateName, "LEVEL1");
    const float x = ship().getX();
    game->resumeGame();
    EXPECT_TRUE(lv->getActive());
    EXPECT_EQ(ship().getX(), x);

    input().keyDown('H');
    step();
    input().keyUp('H');
    EXPECT_TRUE(active("HIGHSCORE"));
}

TEST_F(LevelPlay, TheShipsCannonballSinksEnemiesAndStopsAtLand)
{
    parkEnemies();
    EnemyBase& target = lv->getEnemyShips()[0];
    target.setX(300);
    target.setY(200);
    Cannon& ball = *ship().getCannon();
    for (int shot = 0; shot < 2; ++shot) {
        ball.setActive(true);
        ball.setVisible(true);
        ball.setX(target.getCenterX() - 8);
        ball.setY(target.getCenterY() - 8);
        lv->collisions(FRAME);
        EXPECT_FALSE(ball.getActive());
        for (int i = 0; i < 15; ++i)
            target.update(0.1f);  // a reload's time: the hit has run its course
    }
    EXPECT_EQ(ship().getGold(), 40);
    EXPECT_TRUE(target.getExploding());
    EXPECT_FALSE(target.getActive());

    // A ball over a solid cell is switched off.
    const TileGrid& grid = lv->getTileMap();
    for (int r = 0; r < grid.rows(); ++r)
        for (int c = 0; c < grid.cols(); ++c)
            if (grid.isSolid(r, c)) {
                ball.setActive(true);
                ball.setVisible(true);
                ball.setX(c * 65.0f + 25);
                ball.setY(r * 65.0f + 25);
                lv->collisions(FRAME);
                EXPECT_FALSE(ball.getActive()) << "cell " << r << ", " << c;
                return;
            }
    ADD_FAILURE() << "the map has no land";
}
