// The cannonball: where a launch puts it, its flight, and where it is spent.
#include "play_fixtures.h"

#include "base/game_error.h"
#include "entities/cannon.h"

#include <gtest/gtest.h>

using namespace play_fixtures;

namespace {

struct CannonFlight : ::testing::Test {
    InputOnlyGame game;
    Cannon ball;
    Entity source;  // whoever fires it

    void SetUp() override
    {
        ball.prepare(game.services(), 64, 64, 4, &entity_fixtures::noTextures());
        setUp(source, game);
        entity_fixtures::placeCentre(source, 400, 300);
    }
    // A ball already in flight at (x, y).
    void flying(float x, float y, D3DXVECTOR2 v)
    {
        ball.setActive(true);
        ball.setVisible(true);
        ball.setX(x);
        ball.setY(y);
        ball.setVelocity(v);
    }
};

}  // namespace

TEST_F(CannonFlight, LaunchStartsNearTheSourcesCentreAndShowsTheBall)
{
    const struct {
        void (Cannon::*launch)(Entity&);
        D3DXVECTOR2 velocity;
    } launches[] = {
        {&Cannon::launchUp, {0, -600}},
        {&Cannon::launchDown, {0, 600}},
        {&Cannon::launchLeft, {-600, 0}},
        {&Cannon::launchRight, {600, 0}},
    };
    for (const auto& l : launches) {
        ball.setActive(false);
        ball.setVisible(false);
        (ball.*l.launch)(source);
        EXPECT_FLOAT_EQ(ball.getX(), 394) << "a tenth of the 64-pixel frame off the centre";
        EXPECT_FLOAT_EQ(ball.getY(), 294);
        EXPECT_EQ(ball.getVelocity(), l.velocity);
        EXPECT_TRUE(ball.getActive());
        EXPECT_TRUE(ball.getVisible());
    }
}

TEST_F(CannonFlight, LaunchTowardTakesEntityDirectionsOnly)
{
    EXPECT_TRUE(ball.launchToward(entityNS::LEFT, source));
    EXPECT_EQ(ball.getVelocity(), D3DXVECTOR2(-600, 0));
    ball.setActive(false);
    ball.setVisible(false);
    EXPECT_FALSE(ball.launchToward(entityNS::NO_DIRECTION, source));
    EXPECT_FALSE(ball.launchToward(7, source));
    EXPECT_FALSE(ball.getActive());
    EXPECT_FALSE(ball.getVisible());
}

TEST_F(CannonFlight, FliesStraightAtItsVelocity)
{
    ball.launchDown(source);
    ball.update(0.25f);
    EXPECT_FLOAT_EQ(ball.getX(), 394);
    EXPECT_FLOAT_EQ(ball.getY(), 294 + 150);
    EXPECT_TRUE(ball.getActive());
}

TEST_F(CannonFlight, SpentOnceItsCornerLeavesThePlayArea)
{
    flying(799, 100, D3DXVECTOR2(600, 0));
    ball.update(0.01f);
    EXPECT_NEAR(ball.getX(), 805, 1e-3);
    EXPECT_FALSE(ball.getActive()) << "switched off in the same update";
    EXPECT_FALSE(ball.getVisible());

    flying(762.5f, 100, D3DXVECTOR2(600, 0));
    ball.update(0.0625f);
    EXPECT_FLOAT_EQ(ball.getX(), 800);
    EXPECT_TRUE(ball.getActive()) << "exactly on the edge is still in play";

    const struct {
        float x, y;
        D3DXVECTOR2 v;
        bool stays;
    } edges[] = {
        {37.5f, 100, {-600, 0}, true},                                  // lands on x = 0
        {37.0f, 100, {-600, 0}, false},                                 // x < 0
        {300, 422.5f, {0, 600}, true},                                  // lands on y = 460, the HUD line
        {300, 423.0f, {0, 600}, false}, {300, 37.5f, {0, -600}, true},  // lands on y = 0
        {300, 37.0f, {0, -600}, false},
    };
    for (const auto& e : edges) {
        flying(e.x, e.y, e.v);
        ball.update(0.0625f);
        EXPECT_EQ(ball.getActive(), e.stays) << "from (" << e.x << ", " << e.y << ")";
        EXPECT_EQ(ball.getVisible(), e.stays);
    }
}

TEST_F(CannonFlight, ArmedButNeverLaunchedItStaysPut)
{
    ball.setX(900);  // outside, yet not switched off: it is not flying
    ball.setY(50);
    ball.setVelocity(D3DXVECTOR2(600, 0));
    ball.setActive(true);
    ball.update(1.0f);
    EXPECT_FLOAT_EQ(ball.getX(), 900);
    EXPECT_TRUE(ball.getActive());
}

TEST_F(CannonFlight, BouncesDoNotSteerItAndItAlwaysWeighsTheSame)
{
    ball.launchRight(source);
    ball.setPendingVelocity(D3DXVECTOR2(-1000, 50));
    ball.update(0.0625f);
    EXPECT_EQ(ball.getVelocity(), D3DXVECTOR2(600, 0));
    EXPECT_FLOAT_EQ(ball.getY(), 294);

    ball.setMass(5);
    EXPECT_FLOAT_EQ(ball.getMass(), 0.1f);
}

TEST(CannonPrepare, AFailedSetUpIsFatal)
{
    struct Refusing : Cannon {
        using Cannon::initialize;
        bool initialize(const EngineServices&, int, int, int, TextureManager*) override { return false; }
    } ball;
    InputOnlyGame game;
    try {
        ball.prepare(game.services(), 64, 64, 4, &entity_fixtures::noTextures());
        FAIL() << "no error";
    } catch (const GameError& e) {
        EXPECT_EQ(e.getErrorCode(), FATAL_ERROR);
        EXPECT_STREQ(e.getMessage(), "Error initializing cannon");
    }
}
