// The ship's steering by held keys and the d-pad, the play-area clamps, the
// hit and explosion timers, and sinking into the whirlpool.
#include "play_fixtures.h"

#include "entities/cannon.h"
#include "entities/ship.h"

#include <gtest/gtest.h>

using namespace play_fixtures;

namespace {

constexpr float FRAME = 0.0625f;  // 150 px/s * 1/16 s = 9.375 px, exact

struct ShipMotion : ::testing::Test {
    InputOnlyGame game;
    Ship ship;

    void SetUp() override
    {
        setUp(ship, game);
        ship.setX(300);
        ship.setY(200);
    }
    void hold(UCHAR key) { game.keys().keyDown(key); }
};

}  // namespace

TEST_F(ShipMotion, EachArrowMovesFacesAndShowsItsFrames)
{
    const float step = shipNS::START_SPEED * FRAME;
    const struct {
        UCHAR key;
        float dx, dy;
        int direction, firstFrame, lastFrame;
    } arrows[] = {
        {VK_UP, 0, -step, entityNS::UP, 4, 7},
        {VK_DOWN, 0, step, entityNS::DOWN, 8, 11},
        {VK_LEFT, -step, 0, entityNS::LEFT, 12, 15},
        {VK_RIGHT, step, 0, entityNS::RIGHT, 0, 3},
    };
    for (const auto& a : arrows) {
        ship.setX(300);
        ship.setY(200);
        ship.setCurrentFrame(9);
        hold(a.key);
        ship.update(FRAME);
        game.keys().keyUp(a.key);
        EXPECT_FLOAT_EQ(ship.getX(), 300 + a.dx) << "key " << int(a.key);
        EXPECT_FLOAT_EQ(ship.getY(), 200 + a.dy) << "key " << int(a.key);
        EXPECT_EQ(ship.getDirection(), a.direction);
        EXPECT_EQ(ship.getStartFrame(), a.firstFrame);
        EXPECT_EQ(ship.getEndFrame(), a.lastFrame);
        EXPECT_EQ(ship.getCurrentFrame(), a.firstFrame) << "held: the first frame of the way it goes";
        EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(0, 0)) << "moved by position, not velocity";
    }
    EXPECT_TRUE(ship.isFacingRight());
    EXPECT_FALSE(ship.isFacingUp() || ship.isFacingDown() || ship.isFacingLeft());
}

TEST_F(ShipMotion, OppositesCancelAndTheLaterOneDecidesTheFacing)
{
    hold(VK_RIGHT);
    hold(VK_LEFT);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getX(), 300);
    EXPECT_TRUE(ship.isFacingLeft()) << "left is tested after right";

    hold(VK_UP);
    hold(VK_DOWN);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), 200);
    EXPECT_TRUE(ship.isFacingDown()) << "down is tested last of all";
    EXPECT_EQ(ship.getCurrentFrame(), 8);
}

TEST_F(ShipMotion, TheSpeedIsTheShips)
{
    ship.setSpeed(200);
    hold(VK_DOWN);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), 200 + 200 * FRAME);
}

TEST_F(ShipMotion, LettingGoLeavesTheFacingAndAnimatesIt)
{
    hold(VK_LEFT);
    ship.update(FRAME);
    game.keys().keyUp(VK_LEFT);
    for (int i = 0; i < 3; ++i) ship.update(0.3f);  // 0.5 s a frame: one step in these 0.96 s
    EXPECT_TRUE(ship.isFacingLeft());
    EXPECT_FLOAT_EQ(ship.getX(), 300 - shipNS::START_SPEED * FRAME);
    EXPECT_EQ(ship.getCurrentFrame(), 13);
}

TEST(ShipMotionPad, TheDPadSteersLikeTheArrows)
{
    InputOnlyGame game;
    Ship ship;
    setUp(ship, game);
    ship.setX(300);
    ship.setY(200);
    Pad pad(game.keys());
    ASSERT_TRUE(pad.plugged());

    pad.hold(XINPUT_GAMEPAD_DPAD_UP);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), 200 - shipNS::START_SPEED * FRAME);
    EXPECT_TRUE(ship.isFacingUp());

    pad.hold(XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_DPAD_RIGHT);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getX(), 300);
    EXPECT_TRUE(ship.isFacingLeft());

    // An arrow and the d-pad in the same direction do not add up.
    pad.hold(XINPUT_GAMEPAD_DPAD_DOWN);
    game.keys().keyDown(VK_DOWN);
    const float y = ship.getY();
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), y + shipNS::START_SPEED * FRAME);

    // The d-pad with A held fires too.
    ship.setFireTimer(2.0f);
    pad.hold(XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_A);
    game.keys().keyUp(VK_DOWN);
    ship.update(FRAME);
    EXPECT_TRUE(ship.isFacingRight());
    EXPECT_EQ(ship.getCannon()->getVelocity(), D3DXVECTOR2(cannonNS::SPEED, 0)) << "steered, then fired";
}

TEST_F(ShipMotion, ExplodingIgnoresTheArrows)
{
    ship.faceUp();
    ship.setExploding(true);
    hold(VK_RIGHT);
    hold(VK_DOWN);
    ship.update(FRAME);
    EXPECT_FLOAT_EQ(ship.getX(), 300);
    EXPECT_FLOAT_EQ(ship.getY(), 200);
    EXPECT_TRUE(ship.isFacingUp());
}

TEST_F(ShipMotion, ClampedIntoThePlayAreaWithThatVelocityStopped)
{
    ship.setX(750);
    ship.setVelocity(D3DXVECTOR2(40, 30));
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getX(), 736);
    EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(0, 30));

    ship.setY(400);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getY(), 396) << "bottom edge on the HUD line at 460";
    EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(0, 0));

    ship.setX(-5);
    ship.setY(-3);
    ship.setVelocity(D3DXVECTOR2(-10, -10));
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getX(), 0);
    EXPECT_FLOAT_EQ(ship.getY(), 0);
    EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(0, 0));

    ship.setX(736);
    ship.setY(396);
    ship.setVelocity(D3DXVECTOR2(5, 5));
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getX(), 736) << "on the limit is inside";
    EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(5, 5));
}

TEST_F(ShipMotion, ABounceIsFoldedInBeforeTheClamp)
{
    ship.setX(740);
    ship.setPendingVelocity(D3DXVECTOR2(20, 7));
    ship.update(0);
    EXPECT_EQ(ship.getVelocity(), D3DXVECTOR2(0, 7));
}

TEST_F(ShipMotion, AFastShipStopsAtTheEdgeAndNeverComesOutOnTheFarSide)
{
    ship.setSpeed(1000);  // 62.5 px a frame
    ship.setX(760);
    ship.moveRight(FRAME);
    EXPECT_FLOAT_EQ(ship.getX(), 800);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getX(), 736);

    ship.setX(-10);
    ship.moveLeft(FRAME);
    EXPECT_FLOAT_EQ(ship.getX(), -64);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getX(), 0);

    ship.setY(-10);
    ship.moveUp(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), -64);
    ship.setY(560);
    ship.moveDown(FRAME);
    EXPECT_FLOAT_EQ(ship.getY(), 600);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getY(), 396);
}

TEST_F(ShipMotion, HealthAboveFullIsCutBack)
{
    ship.setHealth(130);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getHealth(), 100);
    ship.setHealth(-2);
    ship.update(0);
    EXPECT_FLOAT_EQ(ship.getHealth(), -2) << "the level decides what no health means";
}

TEST_F(ShipMotion, HitAndExplosionClearThemselvesWhenTheirAnimationsEnd)
{
    ship.setHit(true);
    for (int i = 0; i < 3; ++i) ship.update(0.15f);
    EXPECT_TRUE(ship.getHit()) << "frames 16 to 19 take four steps";
    ship.update(0.15f);
    EXPECT_FALSE(ship.getHit());
    EXPECT_FALSE(ship.getHitImage().getAnimationComplete()) << "ready for the next hit";

    ship.setExploding(true);
    for (int i = 0; i < 7; ++i) ship.update(0.25f);
    EXPECT_TRUE(ship.getExploding());
    EXPECT_EQ(ship.getExplosionImage().getCurrentFrame(), 27);
    ship.update(0.25f);
    EXPECT_FALSE(ship.getExploding());
    EXPECT_EQ(ship.getExplosionImage().getCurrentFrame(), 20) << "rewound for the next explosion";
    EXPECT_TRUE(ship.getVisible()) << "the player's ship is not hidden by its explosion";
}

TEST_F(ShipMotion, SinkingSpinsAndShrinks)
{
    ship.sinkStep(0.5f);
    EXPECT_NEAR(ship.getDegrees(), 200, 1e-3);
    EXPECT_FLOAT_EQ(ship.getScale(), 0.975f);
    ship.sinkStep(0.5f);
    EXPECT_NEAR(ship.getDegrees(), 400, 1e-3);
    EXPECT_FLOAT_EQ(ship.getScale(), 0.95f);
}

TEST(ShipSetUp, CountsItsOwnAmmunitionAndPreparesItsBall)
{
    InputOnlyGame game;
    Ship ship;
    ship.addAmmo(3);
    ship.spendAmmo(1);
    EXPECT_EQ(ship.getAmmo(), 4) << "the ship counts its own ammunition";

    setUp(ship, game);
    Cannon& ball = *ship.getCannon();
    EXPECT_EQ(ball.getCurrentFrame(), 33);
    EXPECT_EQ(ball.getColorFilter(), 0xFF8080FFu);
    EXPECT_FLOAT_EQ(ball.getScale(), 0.25f);
    EXPECT_FALSE(ball.getActive());
    EXPECT_EQ(ship.getHitImage().getStartFrame(), 16);
    EXPECT_EQ(ship.getExplosionImage().getEndFrame(), 27);

    Ship loose;  // never initialised: no input to read, and nothing breaks
    loose.update(FRAME);
    EXPECT_FLOAT_EQ(loose.getX(), shipNS::X);
}
