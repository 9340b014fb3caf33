// Enemy ships: movement in each mode, turning, guard fire, and the hit and
// explosion animations.
#include "play_fixtures.h"

#include "entities/cannon.h"
#include "entities/enemy_ship.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

using namespace play_fixtures;

namespace {

constexpr float FRAME = 0.25f;  // exact in binary

// Levels keep enemies in arrays and vectors built in place; they own their
// ball, so they are never copied.
static_assert(std::is_default_constructible_v<EnemyShip> && std::is_default_constructible_v<EnemyShip1>);
static_assert(!std::is_copy_constructible_v<EnemyShip> && !std::is_copy_assignable_v<EnemyShip1>);
static_assert(!std::is_move_constructible_v<EnemyShip1>);

// An enemy as a level sets one up: at (x, y), facing by its frame, with the
// usual (v, -v) velocity.
template <class E>
void place(E& e, InputOnlyGame& game, float x, float y, int frame, float v)
{
    setUp(e, game);
    e.setX(x);
    e.setY(y);
    e.setCurrentFrame(frame);
    e.setVelocity(D3DXVECTOR2(v, -v));
}

}  // namespace

TEST(EnemyKinds, DifferOnlyInTheirStartingValues)
{
    EnemyShip a;
    EXPECT_EQ(a.getCurrentFrame(), a.getLeftFrame());
    EXPECT_EQ(a.getDirection(), entityNS::RIGHT) << "its starting facing is not its starting frame's";
    EXPECT_FLOAT_EQ(a.getFireInterval(), 2.0f);

    EnemyShip1 b;
    EXPECT_EQ(b.getCurrentFrame(), b.getLeftFrame());
    EXPECT_EQ(b.getDirection(), entityNS::DOWN);
    EXPECT_FLOAT_EQ(b.getFireInterval(), 1.0f);
    EXPECT_EQ(b.getVelocity(), D3DXVECTOR2(150, 150));

    std::vector<EnemyShip> fleet(3);
    EXPECT_EQ(fleet[2].getMode(), enemyNS::STOPPED);
    EXPECT_NE(fleet[0].getCannon(), fleet[1].getCannon()) << "a ball each";
}

TEST(EnemyFrames, TheDirectionFollowsAFacingFrame)
{
    EnemyShip1 e;
    e.setCurrentFrame(40);
    EXPECT_EQ(e.getDirection(), entityNS::UP);
    e.setCurrentFrame(42);
    EXPECT_EQ(e.getDirection(), entityNS::RIGHT);
    e.setCurrentFrame(41);
    EXPECT_EQ(e.getDirection(), entityNS::DOWN);
    e.setCurrentFrame(5);
    EXPECT_EQ(e.getDirection(), entityNS::DOWN) << "other frames leave it alone";
    EXPECT_EQ(e.getCurrentFrame(), 5);
    EXPECT_FALSE(e.isFacingDown()) << "the facing flags are the player's business";
}

TEST(EnemyModes, EachMovesAtHalfItsVelocityTheWayItFaces)
{
    InputOnlyGame game;
    const float half = 150 * 0.5f * FRAME;  // 18.75 px

    EnemyShip patrolH;
    place(patrolH, game, 400, 100, patrolH.getLeftFrame(), 150);
    patrolH.patrolHorizontally();
    patrolH.update(FRAME);
    EXPECT_FLOAT_EQ(patrolH.getX(), 400 - half);
    EXPECT_FLOAT_EQ(patrolH.getY(), 100);

    EnemyShip1 patrolV;
    place(patrolV, game, 192, 194, patrolV.getDownFrame(), 150);
    patrolV.patrolVertically();
    patrolV.update(FRAME);
    EXPECT_FLOAT_EQ(patrolV.getY(), 194 + half) << "down, with the level's negative y";
    EXPECT_FLOAT_EQ(patrolV.getX(), 192);

    const struct {
        int direction;
        float dx, dy;
    } cruises[] = {
        {entityNS::UP, 0, -half},
        {entityNS::DOWN, 0, half},
        {entityNS::LEFT, -half, 0},
        {entityNS::RIGHT, half, 0},
    };
    for (const auto& c : cruises) {
        EnemyShip e;
        place(e, game, 300, 200, 0, 150);
        e.setDirection(c.direction);
        e.cruise();
        e.update(FRAME);
        EXPECT_FLOAT_EQ(e.getX(), 300 + c.dx) << "direction " << c.direction;
        EXPECT_FLOAT_EQ(e.getY(), 200 + c.dy) << "direction " << c.direction;
    }

    for (int mode : {enemyNS::STOPPED, enemyNS::GUARD}) {
        EnemyShip e;
        place(e, game, 300, 200, e.getLeftFrame(), 150);
        if (mode == enemyNS::GUARD)
            e.standGuard();
        else
            e.stopMoving();
        e.update(FRAME);
        EXPECT_EQ(e.getMode(), mode);
        EXPECT_EQ(e.getVelocity(), D3DXVECTOR2(0, 0));
        EXPECT_FLOAT_EQ(e.getX(), 300);
        EXPECT_FLOAT_EQ(e.getY(), 200);
    }
}

TEST(EnemyModes, NoClampKeepsThemOnScreen)
{
    InputOnlyGame game;
    EnemyShip e;
    place(e, game, 5, 100, e.getLeftFrame(), 150);
    e.patrolHorizontally();
    e.update(1.0f);
    EXPECT_FLOAT_EQ(e.getX(), -70) << "walls and markers turn them, not the edge";
}

TEST(EnemyTurnAround, ReversesAPatrolOnly)
{
    InputOnlyGame game;
    EnemyShip h;
    place(h, game, 400, 100, 38, 150);
    h.patrolHorizontally();
    h.turnAround();
    EXPECT_EQ(h.getVelocity(), D3DXVECTOR2(-150, 150));
    EXPECT_EQ(h.getCurrentFrame(), 39);
    EXPECT_EQ(h.getDirection(), entityNS::RIGHT);
    h.update(FRAME);
    EXPECT_FLOAT_EQ(h.getX(), 400 + 150 * 0.5f * FRAME) << "now it sails right at 75 px/s";
    h.turnAround();
    EXPECT_EQ(h.getCurrentFrame(), 38);
    EXPECT_EQ(h.getDirection(), entityNS::LEFT);

    EnemyShip1 v;
    place(v, game, 192, 194, v.getDownFrame(), 200);
    v.patrolVertically();
    v.turnAround();
    EXPECT_EQ(v.getVelocity(), D3DXVECTOR2(-200, 200));
    EXPECT_EQ(v.getCurrentFrame(), v.getUpFrame());
    EXPECT_EQ(v.getDirection(), entityNS::UP);
    v.update(FRAME);
    EXPECT_FLOAT_EQ(v.getY(), 194 - 200 * 0.5f * FRAME);
    v.turnAround();
    EXPECT_EQ(v.getCurrentFrame(), v.getDownFrame());

    for (int mode : {enemyNS::STOPPED, enemyNS::CRUISE, enemyNS::GUARD}) {
        EnemyShip e;
        place(e, game, 300, 200, e.getUpFrame(), 150);
        if (mode == enemyNS::STOPPED)
            e.stopMoving();
        else if (mode == enemyNS::CRUISE)
            e.cruise();
        else
            e.standGuard();
        e.turnAround();
        EXPECT_EQ(e.getVelocity(), D3DXVECTOR2(150, -150)) << "mode " << mode;
        EXPECT_EQ(e.getCurrentFrame(), e.getUpFrame()) << "mode " << mode;
        EXPECT_EQ(e.getDirection(), entityNS::UP) << "mode " << mode;
    }
}

TEST(EnemyTurns, QuarterTurnsCycleWhileCruising)
{
    InputOnlyGame game;
    EnemyShip1 e;
    place(e, game, 300, 200, 40, 150);  // facing up
    e.cruise();
    const int lefts[][2] = {{entityNS::LEFT, 43}, {entityNS::DOWN, 41}, {entityNS::RIGHT, 42}, {entityNS::UP, 40}};
    for (const auto& step : lefts) {
        e.turnLeft();
        EXPECT_EQ(e.getDirection(), step[0]);
        EXPECT_EQ(e.getCurrentFrame(), step[1]);
    }
    const int rights[][2] = {{entityNS::RIGHT, 42}, {entityNS::DOWN, 41}, {entityNS::LEFT, 43}, {entityNS::UP, 40}};
    for (const auto& step : rights) {
        e.turnRight();
        EXPECT_EQ(e.getDirection(), step[0]);
        EXPECT_EQ(e.getCurrentFrame(), step[1]);
    }
    EXPECT_EQ(e.getVelocity(), D3DXVECTOR2(150, -150)) << "turning leaves the velocity alone";

    e.turnLeft();  // now left: cruising moves it left
    e.update(FRAME);
    EXPECT_FLOAT_EQ(e.getX(), 300 - 150 * 0.5f * FRAME);

    for (int mode : {enemyNS::STOPPED, enemyNS::HORIZONTAL_PATROL, enemyNS::VERTICAL_PATROL, enemyNS::GUARD}) {
        EnemyShip s;
        place(s, game, 300, 200, s.getUpFrame(), 150);
        if (mode == enemyNS::HORIZONTAL_PATROL)
            s.patrolHorizontally();
        else if (mode == enemyNS::VERTICAL_PATROL)
            s.patrolVertically();
        else if (mode == enemyNS::GUARD)
            s.standGuard();
        s.turnLeft();
        s.turnRight();
        EXPECT_EQ(s.getDirection(), entityNS::UP) << "mode " << mode;
        EXPECT_EQ(s.getCurrentFrame(), s.getUpFrame()) << "mode " << mode;
    }
}

TEST(EnemyGuard, FiresWhenStrictlyMoreThanItsIntervalHasPassed)
{
    InputOnlyGame game;
    EnemyShip1 guard;
    place(guard, game, 300, 50, guard.getDownFrame(), 150);
    guard.standGuard();
    for (int i = 0; i < 4; ++i) guard.update(FRAME);
    EXPECT_FLOAT_EQ(guard.getFireTimer(), 1.0f);
    EXPECT_FALSE(guard.getCannon()->getActive()) << "exactly the interval is not enough";
    guard.update(FRAME);
    ASSERT_TRUE(guard.getCannon()->getActive());
    EXPECT_EQ(guard.getCannon()->getVelocity(), D3DXVECTOR2(0, 600)) << "fires the way it faces";
    EXPECT_FLOAT_EQ(guard.getCannon()->getY(), 50 + 32 - 6);
    EXPECT_FLOAT_EQ(guard.getFireTimer(), 0);
}

TEST(EnemyGuard, WaitsForItsBallToLeaveThenFiresAtOnce)
{
    InputOnlyGame game;
    EnemyShip1 guard;
    place(guard, game, 750, 200, guard.getLeftFrame(), 150);  // the ball crosses 776 px
    guard.standGuard();
    guard.setFireTimer(1.5f);
    guard.update(FRAME);
    Cannon& ball = *guard.getCannon();
    ASSERT_TRUE(ball.getActive());
    EXPECT_FLOAT_EQ(ball.getX(), 776);

    for (int i = 0; i < 5; ++i) guard.update(FRAME);
    EXPECT_GT(guard.getFireTimer(), 1.0f) << "due, but the ball is still out";
    EXPECT_FLOAT_EQ(ball.getX(), 776 - 5 * 150) << "the same ball, still flying";

    guard.update(FRAME);  // the ball leaves in this update; the next is launched
    EXPECT_TRUE(ball.getActive());
    EXPECT_FLOAT_EQ(ball.getX(), 776);
    EXPECT_FLOAT_EQ(guard.getFireTimer(), 0);
}

TEST(EnemyGuard, ADestroyedOrFacelessGuardNeverFires)
{
    InputOnlyGame game;
    EnemyShip destroyed;
    place(destroyed, game, 300, 50, destroyed.getDownFrame(), 150);
    destroyed.standGuard();
    destroyed.setActive(false);
    bool fired = false;
    for (int i = 0; i < 40; ++i) {
        destroyed.update(FRAME);
        fired = fired || destroyed.getCannon()->getActive();
    }
    EXPECT_FALSE(fired);

    EnemyShip faceless;
    place(faceless, game, 300, 50, 0, 150);
    faceless.setDirection(entityNS::NO_DIRECTION);
    faceless.standGuard();
    fired = false;
    for (int i = 0; i < 40; ++i) {
        faceless.update(FRAME);
        fired = fired || faceless.getCannon()->getActive();
    }
    EXPECT_FALSE(fired) << "no ball armed that could never fly";
}

TEST(EnemyGuard, OnlyGuardsFire)
{
    InputOnlyGame game;
    EnemyShip e;
    place(e, game, 300, 200, e.getDownFrame(), 150);
    e.cruise();
    for (int i = 0; i < 40; ++i) e.update(FRAME);
    EXPECT_FALSE(e.getCannon()->getActive());
    EXPECT_FLOAT_EQ(e.getFireTimer(), 0);
}

TEST(EnemyDamage, HitClearsItselfAndAnExplosionLeavesNothing)
{
    InputOnlyGame game;
    EnemyShip e;
    place(e, game, 300, 200, e.getLeftFrame(), 150);
    e.setHit(true);
    for (int i = 0; i < 3; ++i) e.update(0.15f);
    EXPECT_TRUE(e.getHit());
    e.update(0.15f);
    EXPECT_FALSE(e.getHit());

    // As a level destroys it.
    e.setExploding(true);
    e.setActive(false);
    for (int i = 0; i < 7; ++i) e.update(FRAME);
    EXPECT_TRUE(e.getExploding());
    EXPECT_TRUE(e.getVisible());
    e.update(FRAME);
    EXPECT_FALSE(e.getExploding());
    EXPECT_FALSE(e.getVisible()) << "the wreck is gone";
    EXPECT_FALSE(e.getActive()) << "until the level brings it back";
    EXPECT_EQ(e.getExplosionImage().getCurrentFrame(), 20);
    EXPECT_FALSE(e.getExplosionImage().getAnimationComplete());
    for (int i = 0; i < 10; ++i) e.update(FRAME);
    EXPECT_FALSE(e.getVisible());
    EXPECT_FALSE(e.getActive());
}
