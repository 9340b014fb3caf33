// Entity state outside the collision tests: update, turning round, facing,
// leaving a rectangle, the centre, and initialising from the game object.
#include "entity_fixtures.h"

#include "engine/game.h"

#include <gtest/gtest.h>

using namespace entity_fixtures;

TEST(EntityUpdate, FoldsThePendingVelocityInAndAnimatesWithoutMoving)
{
    Entity e;
    makeBox(e, entityNS::BOX, 100, 100, 64);
    e.setVelocity(D3DXVECTOR2(10, 0));
    e.setPendingVelocity(D3DXVECTOR2(5, 5));
    e.setPendingVelocity(D3DXVECTOR2(1, 2));  // replaces, does not add
    e.setFrames(0, 3);
    e.setFrameDelay(0.1f);
    e.update(0.25f);
    EXPECT_EQ(e.getVelocity(), D3DXVECTOR2(11, 2));
    EXPECT_EQ(e.getCurrentFrame(), 1);
    EXPECT_FLOAT_EQ(e.getX(), 68) << "position is the subclasses' business";
    e.update(0.0f);
    EXPECT_EQ(e.getVelocity(), D3DXVECTOR2(11, 2)) << "the pending change was cleared";
}

TEST(EntityTurnAround, ReversesAndSwapsTheFacingFrames)
{
    Entity e;
    makeBox(e, entityNS::BOX, 100, 100, 64);
    e.setVelocity(D3DXVECTOR2(30, -4));
    const int frames[][2] = {{39, 38}, {38, 39}, {40, 41}, {41, 40}, {12, 12}};
    for (const auto& f : frames) {
        e.setCurrentFrame(f[0]);
        const D3DXVECTOR2 before = e.getVelocity();
        e.turnAround();
        EXPECT_EQ(e.getCurrentFrame(), f[1]) << "from frame " << f[0];
        EXPECT_EQ(e.getVelocity(), -before);
    }
}

TEST(EntityTurnAround, GoesThroughTheOverridableFrameSetter)
{
    struct Recording : Entity {
        int calls = 0;
        void setCurrentFrame(int c) override
        {
            ++calls;
            Entity::setCurrentFrame(c);
        }
    } e;
    e.setCurrentFrame(39);
    e.calls = 0;
    e.turnAround();
    EXPECT_EQ(e.calls, 1);
    EXPECT_EQ(e.getSpriteDataRect().top, 38 * 2) << "the frame rectangle moved too";
}

TEST(EntityFacing, OneFlagAtATime)
{
    Entity e;
    EXPECT_FALSE(e.isFacingUp() || e.isFacingDown() || e.isFacingLeft() || e.isFacingRight());
    e.faceLeft();
    EXPECT_TRUE(e.isFacingLeft());
    e.faceDown();
    EXPECT_TRUE(e.isFacingDown());
    EXPECT_FALSE(e.isFacingUp() || e.isFacingLeft() || e.isFacingRight());
    e.faceRight();
    e.faceUp();
    EXPECT_TRUE(e.isFacingUp());
    EXPECT_FALSE(e.isFacingDown() || e.isFacingLeft() || e.isFacingRight());
}

TEST(EntityIsOutside, TouchingTheEdgeCountsAsInside)
{
    Entity e;
    makeBox(e, entityNS::BOX, 132, 132, 64, 0, 0.5f);  // top-left (116, 116), 32 x 32 on screen
    const RECT screen{0, 0, 800, 460};
    EXPECT_FALSE(e.isOutside(screen));
    EXPECT_FALSE(e.isOutside(RECT{148, 0, 800, 460})) << "left edge on the sprite's right";
    EXPECT_TRUE(e.isOutside(RECT{149, 0, 800, 460}));
    EXPECT_FALSE(e.isOutside(RECT{0, 0, 116, 460})) << "right edge on the sprite's left";
    EXPECT_TRUE(e.isOutside(RECT{0, 0, 115, 460}));
    EXPECT_FALSE(e.isOutside(RECT{0, 148, 800, 460}));
    EXPECT_TRUE(e.isOutside(RECT{0, 149, 800, 460}));
    EXPECT_FALSE(e.isOutside(RECT{0, 0, 800, 116}));
    EXPECT_TRUE(e.isOutside(RECT{0, 0, 800, 115}));
}

TEST(EntityCenter, HalvesTheFrameWithIntegerDivisionThenScales)
{
    Entity e;
    TextureManager none;
    Graphics* noGraphics = nullptr;
    e.initialize(noGraphics, 65, 33, 1, &none);
    e.setX(10);
    e.setY(20);
    e.setScale(2);
    const D3DXVECTOR2* c = e.getCenter();
    EXPECT_EQ(*c, D3DXVECTOR2(10 + 32 * 2, 20 + 16 * 2));
    e.setX(0);
    EXPECT_EQ(e.getCenter()->x, 64) << "recomputed on every call";
}

namespace {

struct BareGame : Game {
    void update() override {}
    void ai() override {}
    void collisions() override {}
    void render() override {}
};

struct Probe : Entity {
    Input* inputSeen() { return input; }
    Audio* audioSeen() { return audio; }
};

}  // namespace

TEST(EntityInitialize, TakesTheGamesInputAndSizesTheFrame)
{
    BareGame game;
    TextureManager none;
    Probe e;
    ASSERT_TRUE(e.initialize(game.services(), 64, 48, 4, &none));
    EXPECT_EQ(e.inputSeen(), game.getInput());
    EXPECT_EQ(e.audioSeen(), game.getAudio());
    e.setCurrentFrame(5);
    EXPECT_EQ(e.getSpriteDataRect().left, 64);
    EXPECT_EQ(e.getSpriteDataRect().top, 48);
}
