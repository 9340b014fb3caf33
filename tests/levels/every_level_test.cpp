#include "level_fixture.h"

// Every level loads from its files and, left to itself for a minute of play
// with the ship kept afloat at its start, keeps its enemies on the map.
class EveryLevel : public LevelFixture, public ::testing::WithParamInterface<int> {};

TEST_P(EveryLevel, LoadsAndKeepsItsEnemiesOnTheMap)
{
    const int n = GetParam();
    Level& lv = enter(n);
    const float mapWidth = static_cast<float>(lv.getTileMap().cols() * 65);
    const float startX = ship().getX(), startY = ship().getY();
    EXPECT_FALSE(lv.getTileMap().isSolid(static_cast<int>((startY + 32) / 65), static_cast<int>((startX + 32) / 65)))
        << "the ship starts on open water";

    for (int frame = 0; frame < 60 * 60; ++frame) {
        ship().setHealth(100);
        ship().setX(startX);
        ship().setY(startY);
        lv.update(FRAME);
        lv.collisions(FRAME);
        auto onMap = [&](EnemyBase& e) { return e.getX() > -64 && e.getX() < mapWidth && e.getY() > -64 && e.getY() < 460; };
        for (auto& e : lv.getEnemyShips())
            ASSERT_TRUE(onMap(e)) << "level " << n << ": an EnemyShip left the map at " << e.getX() << ", " << e.getY()
                                  << " after " << frame << " frames";
        for (auto& e : lv.getEnemyShip1s())
            ASSERT_TRUE(onMap(e)) << "level " << n << ": an EnemyShip1 left the map at " << e.getX() << ", " << e.getY()
                                  << " after " << frame << " frames";
        if (!lv.getActive())
            break;  // the whirlpool sits at the start in no level, but be safe
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, EveryLevel, ::testing::Range(1, 32),
                         [](const ::testing::TestParamInfo<int>& info) { return "Level" + std::to_string(info.param); });

// Level 1's two patrols keep their lanes for ten minutes at any frame rate
// the game runs at: a turn must not push a patrol off its line.
TEST_F(LevelFixture, LevelOnesPatrolsKeepTheirLanesForTenMinutes)
{
    for (float fps : {30.0f, 60.0f, 144.0f, 480.0f}) {
        TearDown();
        SetUp();
        Level& lv = enter(1);
        EnemyShip& cutter = lv.getEnemyShips()[0];
        EnemyShip1& brig = lv.getEnemyShip1s()[0];
        const float brigX = brig.getX(), cutterY = cutter.getY();
        const int frames = static_cast<int>(600 * fps);
        for (int f = 0; f < frames; ++f) {
            ship().setX(2);
            ship().setY(380);
            ship().setHealth(100);
            lv.update(1.0f / fps);
            lv.collisions(1.0f / fps);
        }
        EXPECT_NEAR(brig.getX(), brigX, 1.0f) << fps << " fps: the brig left its column";
        EXPECT_NEAR(cutter.getY(), cutterY, 1.0f) << fps << " fps: the cutter left its row";
        EXPECT_GT(brig.getY(), 0);
        EXPECT_LT(brig.getY(), 460);
    }
}
