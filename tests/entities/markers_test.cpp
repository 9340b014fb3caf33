// The markers' boxes as levels set them up.
#include "play_fixtures.h"

#include "entities/markers.h"

#include <gtest/gtest.h>

using namespace play_fixtures;

namespace {

// A 10 x 10 box centred on (cx, cy): a frame of no size puts the centre on
// the position.
struct Probe : Entity {
    Probe(float cx, float cy)
    {
        Graphics* noGraphics = nullptr;
        initialize(noGraphics, 0, 0, 1, &entity_fixtures::noTextures());
        setCollisionType(entityNS::BOX);
        setEdge(RECT{-5, -5, 5, 5});
        setX(cx);
        setY(cy);
    }
};

// Does a probe whose nearest edge lies at (x, y), just outside the box
// along `outward`, touch the marker?
bool touches(Entity& marker, float x, float y, D3DXVECTOR2 outward)
{
    Probe p(x + outward.x * 5, y + outward.y * 5);
    D3DXVECTOR2 v;
    return marker.testCollision(p, v);
}

void expectBox(Entity& marker, float left, float top, float right, float bottom)
{
    const float midX = (left + right) / 2;
    const float midY = (top + bottom) / 2;
    EXPECT_TRUE(touches(marker, left, midY, {-1, 0}));
    EXPECT_FALSE(touches(marker, left - 0.5f, midY, {-1, 0}));
    EXPECT_TRUE(touches(marker, right, midY, {1, 0}));
    EXPECT_FALSE(touches(marker, right + 0.5f, midY, {1, 0}));
    EXPECT_TRUE(touches(marker, midX, top, {0, -1}));
    EXPECT_FALSE(touches(marker, midX, top - 0.5f, {0, -1}));
    EXPECT_TRUE(touches(marker, midX, bottom, {0, 1}));
    EXPECT_FALSE(touches(marker, midX, bottom + 0.5f, {0, 1}));
}

}  // namespace

TEST(InvisibleMarkerBox, A64SquareAroundItsPosition)
{
    InputOnlyGame game;
    InvisibleMarker marker;
    marker.initialize(game.services(), 0, 0, 0, &entity_fixtures::noTextures());
    marker.setX(192);
    marker.setY(64);
    EXPECT_EQ(*marker.getCenter(), D3DXVECTOR2(192, 64));
    expectBox(marker, 160, 32, 224, 96);
    EXPECT_FLOAT_EQ(marker.getMass(), 1.0f);
}

TEST(EndLevelMarkerBox, ScaledWithTheWhirlpool)
{
    InputOnlyGame game;
    EndLevelMarker marker;
    marker.initialize(game.services(), 16, 16, 1, &entity_fixtures::noTextures());
    marker.setScale(2.0f);
    marker.setX(666);
    marker.setY(276);
    EXPECT_EQ(*marker.getCenter(), D3DXVECTOR2(682, 292));
    expectBox(marker, 666, 276, 698, 308);
    EXPECT_FLOAT_EQ(marker.getMass(), 0.1f);
    EXPECT_FLOAT_EQ(marker.getFrameDelay(), 0.2f);
}
