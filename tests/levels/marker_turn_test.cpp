// In the levels whose enemies turn at every marker, an enemy turns when its
// box meets a marker's, touching edges included, and only then.
#include "level_fixture.h"

class MarkerTurn : public LevelFixture {
protected:
    // Enemy 0 of level 27 placed with its left side `gap` pixels right of
    // marker 0's right side, level with it, heading left at it.
    float velocityAfterCollisions(float gap)
    {
        Level& lv = enter(27);
        EnemyBase& enemy = firstEnemy(lv);
        InvisibleMarker& marker = lv.getMarkers().front();
        const float markerRight =
            marker.getCenterX() + static_cast<float>(marker.getEdge()->right) * marker.getScale();
        const float toLeftSide =
            enemy.getCenterX() - enemy.getX() + static_cast<float>(enemy.getEdge()->left) * enemy.getScale();
        enemy.setX(markerRight + gap - toLeftSide);
        enemy.setY(marker.getCenterY() - (enemy.getCenterY() - enemy.getY()));
        enemy.setBoxComputed(false);
        enemy.setVelocity(D3DXVECTOR2(-100, 0));
        lv.collisions(FRAME);
        return enemy.getVelocity().x;
    }
    static EnemyBase& firstEnemy(Level& lv)
    {
        if (!lv.getEnemyShips().empty())
            return lv.getEnemyShips().front();
        return lv.getEnemyShip1s().front();
    }
};

TEST_F(MarkerTurn, AnEnemyTurnsWhereItsBoxMeetsAMarkerAndNowhereElse)
{
    ASSERT_FALSE(enter(27).getMarkers().empty());
    EXPECT_GT(velocityAfterCollisions(-3), 0) << "overlapping: turned";
    EXPECT_GT(velocityAfterCollisions(0), 0) << "edges touching: turned";
    EXPECT_EQ(velocityAfterCollisions(1), -100) << "a pixel apart: sails on";
    EXPECT_EQ(velocityAfterCollisions(200), -100);
}
