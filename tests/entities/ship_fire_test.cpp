// The ship's firing rules: a press of space or a fresh press of A, ammunition
// in hand, more than 1.55 s since the last shot, and no ball in the air.
#include "play_fixtures.h"

#include "entities/cannon.h"
#include "entities/ship.h"

#include <gtest/gtest.h>

using namespace play_fixtures;

namespace {

constexpr float FRAME = 0.0625f;  // exact in binary, so timers add up exactly
constexpr float READY = 2.0f;     // comfortably past the 1.55 s reload

struct ShipFire : ::testing::Test {
    InputOnlyGame game;
    Ship ship;

    void SetUp() override
    {
        setUp(ship, game);
        ship.setX(300);
        ship.setY(200);
        ship.faceRight();
    }
    // One frame with the ball put away first, so only the rules under test
    // can stop the shot.
    void frameWithBallStowed(float reload = READY)
    {
        ship.getCannon()->setActive(false);
        ship.getCannon()->setVisible(false);
        ship.setFireTimer(reload);
        frame();
    }
    void frame()
    {
        ship.update(FRAME);
        endFrame(game);
    }
    bool ballFlying() { return ship.getCannon()->getActive(); }
};

}  // namespace

TEST_F(ShipFire, SpaceFiresOnPressNotWhileHeld)
{
    game.keys().keyDown(VK_SPACE);
    ship.setFireTimer(READY);
    ship.update(FRAME);
    ASSERT_TRUE(ballFlying());
    EXPECT_EQ(ship.getAmmo(), 1);
    EXPECT_FLOAT_EQ(ship.getFireTimer(), 0);
    EXPECT_EQ(ship.getCannon()->getVelocity(), D3DXVECTOR2(cannonNS::SPEED, 0)) << "fired the way it faces";
    endFrame(game);

    frameWithBallStowed();
    EXPECT_FALSE(ballFlying()) << "space still held, not pressed again";
    EXPECT_EQ(ship.getAmmo(), 1);

    game.keys().keyUp(VK_SPACE);
    game.keys().keyDown(VK_SPACE);
    frameWithBallStowed();
    EXPECT_TRUE(ballFlying());
    EXPECT_EQ(ship.getAmmo(), 0);
}

TEST_F(ShipFire, NeedsStrictlyMoreThanTheReloadTime)
{
    game.keys().keyDown(VK_SPACE);
    ship.setFireTimer(shipNS::FIRE_DELAY);
    ship.update(0);
    EXPECT_FALSE(ballFlying()) << "exactly 1.55 s is not enough";
    EXPECT_EQ(ship.getAmmo(), 2);
    EXPECT_FLOAT_EQ(ship.getFireTimer(), shipNS::FIRE_DELAY) << "a refused shot leaves the timer running";
    endFrame(game);

    game.keys().keyUp(VK_SPACE);
    game.keys().keyDown(VK_SPACE);
    ship.update(0.001f);
    EXPECT_TRUE(ballFlying());
}

TEST_F(ShipFire, OneBallInTheAirAtATime)
{
    game.keys().keyDown(VK_SPACE);
    ship.setFireTimer(READY);
    frame();
    ASSERT_TRUE(ballFlying());
    const float ballX = ship.getCannon()->getX();

    game.keys().keyDown(VK_SPACE);
    ship.setFireTimer(READY);
    frame();
    EXPECT_EQ(ship.getAmmo(), 1) << "the request is dropped";
    EXPECT_FLOAT_EQ(ship.getCannon()->getX(), ballX + cannonNS::SPEED * FRAME) << "the first ball flies on";
    EXPECT_GT(ship.getFireTimer(), READY);

    // Let the ball leave the play area; the next press fires at once.
    for (int i = 0; i < 40 && ballFlying(); ++i) frame();
    ASSERT_FALSE(ballFlying());
    game.keys().keyDown(VK_SPACE);
    frame();
    EXPECT_TRUE(ballFlying());
    EXPECT_EQ(ship.getAmmo(), 0);
}

TEST_F(ShipFire, NoAmmunitionNoShotAndAmmunitionIsKeptInRange)
{
    ship.setAmmo(0);
    game.keys().keyDown(VK_SPACE);
    frameWithBallStowed();
    EXPECT_FALSE(ballFlying());
    EXPECT_EQ(ship.getAmmo(), 0);

    ship.setAmmo(12);
    ship.update(0);
    EXPECT_EQ(ship.getAmmo(), 9);
    ship.setAmmo(-3);
    ship.update(0);
    EXPECT_EQ(ship.getAmmo(), 0);
}

TEST_F(ShipFire, TheClampComesBeforeTheShot)
{
    // 12 in hand: clamped to 9, then one spent.
    ship.setAmmo(12);
    game.keys().keyDown(VK_SPACE);
    frameWithBallStowed();
    EXPECT_TRUE(ballFlying());
    EXPECT_EQ(ship.getAmmo(), 8);
}

TEST_F(ShipFire, ANeverSteeredShipTakesNoShot)
{
    Ship fresh;
    setUp(fresh, game);
    game.keys().keyDown(VK_SPACE);
    fresh.setFireTimer(READY);
    fresh.update(FRAME);
    EXPECT_FALSE(fresh.getCannon()->getActive()) << "no armed ball sitting unseen";
    EXPECT_FALSE(fresh.getCannon()->getVisible());
    EXPECT_EQ(fresh.getAmmo(), 2);
    EXPECT_GT(fresh.getFireTimer(), READY);
    EXPECT_TRUE(fresh.getFireButtonReleased());
}

TEST_F(ShipFire, ShootsTheWayItFacesFirstFlagFirst)
{
    const struct {
        void (Entity::*face)();
        D3DXVECTOR2 velocity;
    } ways[] = {
        {&Entity::faceUp, {0, -cannonNS::SPEED}},
        {&Entity::faceDown, {0, cannonNS::SPEED}},
        {&Entity::faceLeft, {-cannonNS::SPEED, 0}},
        {&Entity::faceRight, {cannonNS::SPEED, 0}},
    };
    for (const auto& way : ways) {
        (ship.*way.face)();
        game.keys().keyDown(VK_SPACE);
        ship.setAmmo(5);
        frameWithBallStowed();
        EXPECT_EQ(ship.getCannon()->getVelocity(), way.velocity);
        game.keys().keyUp(VK_SPACE);
    }
}

TEST_F(ShipFire, WhileExplodingItCanStillShoot)
{
    ship.setExploding(true);
    game.keys().keyDown(VK_LEFT);
    game.keys().keyDown(VK_SPACE);
    frameWithBallStowed();
    EXPECT_TRUE(ballFlying());
    EXPECT_EQ(ship.getCannon()->getVelocity(), D3DXVECTOR2(cannonNS::SPEED, 0)) << "still facing right";
    EXPECT_FLOAT_EQ(ship.getX(), 300) << "steering is ignored";
    EXPECT_TRUE(ship.isFacingRight());
}

TEST(ShipFirePad, AFiresOnceUntilReleased)
{
    InputOnlyGame game;
    Ship ship;
    setUp(ship, game);
    ship.faceUp();
    Pad pad(game.keys());
    ASSERT_TRUE(pad.plugged());
    auto shot = [&] {
        ship.getCannon()->setActive(false);
        ship.setFireTimer(READY);
        const int before = ship.getAmmo();
        ship.update(FRAME);
        return ship.getAmmo() < before;
    };
    ship.setAmmo(9);
    pad.hold(XINPUT_GAMEPAD_A);
    EXPECT_TRUE(shot());
    EXPECT_FALSE(ship.getFireButtonReleased());
    EXPECT_FALSE(shot()) << "A still held, even well past the reload";
    EXPECT_FALSE(shot());
    pad.hold(0);
    EXPECT_FALSE(shot()) << "letting go fires nothing";
    EXPECT_TRUE(ship.getFireButtonReleased());
    pad.hold(XINPUT_GAMEPAD_A);
    EXPECT_TRUE(shot());

    // A refused shot (too soon) does not use up the press.
    pad.hold(0);
    ship.update(FRAME);
    pad.hold(XINPUT_GAMEPAD_A);
    ship.getCannon()->setActive(false);
    ship.setFireTimer(1.0f);
    ship.update(FRAME);
    EXPECT_TRUE(ship.getFireButtonReleased());
    EXPECT_TRUE(shot()) << "A held since the refused request fires once ready";
}
