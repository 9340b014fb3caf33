// The boxes a level compares before it runs a full collision test: read from
// the fields, they are the boxes the getters give, and a pair said not to
// meet never collides, whatever the shapes, sizes, scales and states.
#include "entities/axis_box.h"
#include "entities/cannon.h"
#include "entities/markers.h"
#include "entity_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

using namespace entity_fixtures;

namespace {

bool sameBits(const AxisBox& a, const AxisBox& b) { return std::memcmp(&a, &b, sizeof(AxisBox)) == 0; }

// Positions on whole and half pixels, so that touching edges are common.
void randomise(Entity& e, std::mt19937& rng)
{
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> side(-40, 40);
    const int shape = pick(rng);
    e.setCollisionType(shape < 70 ? entityNS::BOX : shape < 85 ? entityNS::CIRCLE : entityNS::ROTATED_BOX);
    e.setRadius(static_cast<float>(side(rng)) / 2);
    e.setEdge(RECT{side(rng), side(rng), side(rng), side(rng)});  // now and then the wrong way round
    const float scales[] = {1.0f, 0.6f, 2.0f, 0.5f, -1.0f, 0.0f};
    e.setScale(scales[pick(rng) % 6]);
    e.setX(static_cast<float>(side(rng)) * 2.5f);
    e.setY(static_cast<float>(side(rng)) * 2.5f);
    e.setRadians(pick(rng) < 20 ? 0.3f * static_cast<float>(side(rng)) : 0.0f);
    e.setActive(pick(rng) >= 10);
    e.setBoxComputed(false);
}

}  // namespace

TEST(AxisBox, ReadFromTheFieldsItIsTheBoxTheGettersGive)
{
    std::mt19937 rng(20261209);
    Entity e;
    InvisibleMarker m;
    Cannon c;
    for (Entity* x : {&e, static_cast<Entity*>(&m), static_cast<Entity*>(&c)})
        initEntity(*x, entityNS::BOX, 0, 0, 1.0f);
    for (int i = 0; i < 2000; ++i) {
        randomise(e, rng);
        randomise(m, rng);
        randomise(c, rng);
        EXPECT_TRUE(sameBits(axisBoxOf(e), anyAxisBoxOf(e))) << i;
        EXPECT_TRUE(sameBits(axisBoxOf(m), anyAxisBoxOf(m))) << i;
        EXPECT_TRUE(sameBits(axisBoxOf(c), anyAxisBoxOf(c))) << i;
    }
}

TEST(AxisBox, APairThatCannotMeetNeverCollides)
{
    std::mt19937 rng(7);
    Entity a, b;
    initEntity(a, entityNS::BOX, 0, 0, 1.0f);
    initEntity(b, entityNS::BOX, 0, 0, 1.0f);
    int ruledOut = 0, hits = 0;
    for (int i = 0; i < 200000; ++i) {
        randomise(a, rng);
        randomise(b, rng);
        const bool apart = cannotMeet(axisBoxOf(a), axisBoxOf(b));
        D3DXVECTOR2 v;
        const bool hit = a.testCollision(b, v);
        ASSERT_FALSE(apart && hit) << "pair " << i;
        ruledOut += apart;
        hits += hit;
    }
    EXPECT_GT(ruledOut, 50000) << "the check rules out a fair share";
    EXPECT_GT(hits, 5000) << "and the pairs often do meet";
}

TEST(AxisBox, InactiveEntitiesMeetNothingAndOtherShapesAreLeftToTheFullTest)
{
    Entity box, circle;
    makeBox(box, entityNS::BOX, 100, 100, 64);
    makeCircle(circle, 1000, 1000, 5);
    EXPECT_FALSE(cannotMeet(axisBoxOf(box), axisBoxOf(circle))) << "a circle is not a box";
    EXPECT_EQ(axisBoxOf(circle).kind, BoxKind::Other);
    box.setActive(false);
    EXPECT_TRUE(cannotMeet(axisBoxOf(box), axisBoxOf(circle)));
    EXPECT_TRUE(cannotMeet(axisBoxOf(circle), axisBoxOf(box)));
}

TEST(AxisBox, NaNSidesMeetNothingJustAsInTheBoxTest)
{
    Entity a, b;
    makeBox(a, entityNS::BOX, 100, 100, 64);
    makeBox(b, entityNS::BOX, 100, 100, 64);
    EXPECT_FALSE(cannotMeet(axisBoxOf(a), axisBoxOf(b)));
    b.setX(NAN);
    D3DXVECTOR2 v;
    EXPECT_FALSE(a.testCollision(b, v));
    EXPECT_TRUE(cannotMeet(axisBoxOf(a), axisBoxOf(b)));
}
