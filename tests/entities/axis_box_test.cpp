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
        // Working the second box out side by side answers the same.
        ASSERT_EQ(cannotMeetBoxOf(axisBoxOf(a), b), apart) << "pair " << i;
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
    EXPECT_TRUE(cannotMeetBoxOf(axisBoxOf(a), b));
    EXPECT_TRUE(cannotMeetBoxOf(axisBoxOf(b), a));
}

namespace {

// Replaces nothing, but is not one of the game's types, so a push out of a
// collision takes the general way, through the getters and the full test.
class UnlistedEntity : public Entity {};

struct Setting {
    int type, edge[4];
    float scale, x, y;
    bool active;
};

Setting randomSetting(std::mt19937& rng)
{
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> side(-40, 40);
    const float scales[] = {1.0f, 0.6f, 2.0f, 0.5f, -1.0f, 0.0f};
    Setting s{};
    s.type = pick(rng) < 90 ? entityNS::BOX : entityNS::CIRCLE;
    for (int& e : s.edge)
        e = side(rng);
    s.scale = scales[pick(rng) % 6];
    s.x = static_cast<float>(side(rng)) * 0.75f;
    s.y = static_cast<float>(side(rng)) * 0.75f;
    s.active = pick(rng) >= 5;
    return s;
}

void apply(Entity& e, const Setting& s)
{
    e.setCollisionType(s.type);
    e.setEdge(RECT{s.edge[0], s.edge[1], s.edge[2], s.edge[3]});
    e.setScale(s.scale);
    e.setX(s.x);
    e.setY(s.y);
    e.setActive(s.active);
    e.setRadius(5);
}

}  // namespace

// The quick push between two of the game's boxes ends where the general push
// does, to the bit, however deep, touching, inactive or the wrong way round.
TEST(AxisBox, AQuickPushEndsWhereTheGeneralPushDoes)
{
    std::mt19937 rng(99);
    Entity quick, other;
    UnlistedEntity general;
    for (Entity* e : {&quick, static_cast<Entity*>(&general), &other})
        initEntity(*e, entityNS::BOX, 0, 0, 1.0f);
    int pushedFar = 0;
    for (int i = 0; i < 50000; ++i) {
        const Setting mine = randomSetting(rng);
        apply(quick, mine);
        apply(general, mine);
        apply(other, randomSetting(rng));
        D3DXVECTOR2 toward(static_cast<float>(static_cast<int>(rng() % 21) - 10),
                           static_cast<float>(static_cast<int>(rng() % 21) - 10));
        if (rng() % 2 != 0)
            (rng() % 2 != 0 ? toward.x : toward.y) = 0;  // straight pushes end on touching edges
        D3DXVECTOR2 v1 = toward, v2 = toward;
        quick.bounce(v1, other);
        general.bounce(v2, other);
        const float qx = quick.getX(), gx = general.getX(), qy = quick.getY(), gy = general.getY();
        ASSERT_EQ(std::memcmp(&qx, &gx, sizeof qx), 0) << "case " << i;
        ASSERT_EQ(std::memcmp(&qy, &gy, sizeof qy), 0) << "case " << i;
        pushedFar += std::fabs(qx - mine.x) + std::fabs(qy - mine.y) > 5;
    }
    EXPECT_GT(pushedFar, 1000) << "many pushes take several steps";
}
