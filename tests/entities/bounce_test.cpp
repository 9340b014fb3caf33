// The bounce: one-pixel push-out steps (at least one, at most ten), the
// velocity change by mass ratio applied at the next update, and what a
// zero-length collision vector does.
#include "entity_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace entity_fixtures;
using entityNS::BOX;

namespace {

// Two 64-pixel boxes side by side, b to the right of a by `gap` between
// centres, b moving left at 100 px/s.
struct Pair {
    Entity a, b;
    explicit Pair(float gap)
    {
        makeBox(a, BOX, 200, 200, 64);
        makeBox(b, BOX, 200 + gap, 200, 64);
        b.setVelocity(D3DXVECTOR2(-100, 0));
    }
    D3DXVECTOR2 hit()
    {
        D3DXVECTOR2 v;
        EXPECT_TRUE(a.testCollision(b, v));
        return v;
    }
    // The velocity change a receives at its next update.
    D3DXVECTOR2 velocityChange()
    {
        const D3DXVECTOR2 before = a.getVelocity();
        a.update(0.0f);
        return a.getVelocity() - before;
    }
};

}  // namespace

TEST(Bounce, PushesOutOnePixelAStepUntilClear)
{
    Pair p(61);  // 3 pixels of overlap; touching still counts as a hit
    D3DXVECTOR2 v = p.hit();
    p.a.bounce(v, p.b);
    EXPECT_FLOAT_EQ(p.a.getX(), 168 - 4) << "61 -> 65 apart in four steps";
    EXPECT_FLOAT_EQ(p.a.getY(), 168);
    EXPECT_EQ(v, D3DXVECTOR2(61, 0)) << "the caller's vector is not changed";
    EXPECT_FLOAT_EQ(p.b.getX(), 229) << "the other entity stays";
}

TEST(Bounce, PushOutRetestsARotatedBoxAtItsNewPlace)
{
    Entity a, b;
    makeBox(a, entityNS::ROTATED_BOX, 200, 200, 64, 45);
    makeBox(b, entityNS::ROTATED_BOX, 288, 200, 64, 45);  // diamonds touch at 90.5
    D3DXVECTOR2 v;
    ASSERT_TRUE(a.testCollision(b, v));
    a.bounce(v, b);
    EXPECT_FALSE(a.testCollision(b, v));
    // Pushed back along a side of b (45 degrees), which is the separating
    // axis: 88 * 0.707 = 62.2 against 64 is 1.8 pixels, so two steps, not ten.
    EXPECT_NEAR(a.getX() - 168, -2 * std::sqrt(0.5f), 1e-3f);
    EXPECT_NEAR(a.getY() - 168, -2 * std::sqrt(0.5f), 1e-3f);
}

TEST(Bounce, PushesAtLeastOnceAndAtMostTenTimes)
{
    Pair touching(64);
    D3DXVECTOR2 v = touching.hit();
    Pair clear(64);
    clear.a.bounce(v, clear.b);  // already clear after one step
    EXPECT_FLOAT_EQ(clear.a.getX(), 167);

    Pair deep(20);  // 44 pixels of overlap
    v = deep.hit();
    deep.a.bounce(v, deep.b);
    EXPECT_FLOAT_EQ(deep.a.getX(), 158);
    D3DXVECTOR2 scratch;
    EXPECT_TRUE(deep.a.testCollision(deep.b, scratch)) << "still overlapping after ten";
}

TEST(Bounce, PushOutFollowsTheVectorsDirection)
{
    Entity a, b;
    makeBox(a, BOX, 200, 200, 64);
    makeBox(b, BOX, 240, 230, 64);
    D3DXVECTOR2 v;
    ASSERT_TRUE(a.testCollision(b, v));  // (40, 30): a 3-4-5 direction
    a.bounce(v, b);
    // Still overlapping after ten unit steps along -(0.8, 0.6).
    EXPECT_NEAR(a.getX(), 168 - 8.0f, 1e-4f);
    EXPECT_NEAR(a.getY(), 168 - 6.0f, 1e-4f);
}

TEST(Bounce, VelocityChangeWaitsForUpdateAndScalesByMassRatio)
{
    Pair equal(61);
    D3DXVECTOR2 v = equal.hit();
    equal.a.bounce(v, equal.b);
    EXPECT_EQ(equal.a.getVelocity(), D3DXVECTOR2(0, 0)) << "applied at the next update";
    EXPECT_EQ(equal.velocityChange(), D3DXVECTOR2(-50, 0)) << "equal masses share it";
    EXPECT_EQ(equal.velocityChange(), D3DXVECTOR2(0, 0)) << "applied once";

    Pair massless(61);
    massless.a.setMass(0);
    massless.a.bounce(v, massless.b);
    EXPECT_EQ(massless.velocityChange(), D3DXVECTOR2(-100, 0)) << "this mass 0 gives ratio 1";

    Pair light(61);
    light.b.setMass(0.001f);
    light.a.bounce(v, light.b);
    const D3DXVECTOR2 dv = light.velocityChange();
    EXPECT_FLOAT_EQ(dv.x, -10) << "the ratio never drops below 0.1";
    EXPECT_FLOAT_EQ(dv.y, 0);

    Pair heavy(61);
    heavy.b.setMass(3);
    heavy.a.bounce(v, heavy.b);
    EXPECT_FLOAT_EQ(heavy.velocityChange().x, -75);
}

TEST(Bounce, BouncesInOneFrameAddUp)
{
    Pair p(61);
    D3DXVECTOR2 v = p.hit();
    p.a.bounce(v, p.b);
    p.a.bounce(v, p.b);
    EXPECT_EQ(p.velocityChange(), D3DXVECTOR2(-100, 0));
}

TEST(Bounce, FromRestIgnoresThisEntitysOwnVelocity)
{
    Pair moving(61);
    moving.a.setVelocity(D3DXVECTOR2(100, 0));  // a closes in too
    D3DXVECTOR2 v = moving.hit();
    moving.a.bounce(v, moving.b);
    EXPECT_EQ(moving.velocityChange(), D3DXVECTOR2(-100, 0)) << "half of the 200 closing speed";

    Pair rest(61);
    rest.a.setVelocity(D3DXVECTOR2(100, 0));
    rest.a.bounceFromRest(v, rest.b);
    EXPECT_EQ(rest.velocityChange(), D3DXVECTOR2(-50, 0)) << "only the other's 100";
    EXPECT_FLOAT_EQ(rest.a.getX(), 164);
}

// A zero-length vector (centres on the same spot) has no direction. The
// entity then backs out the way it came relative to the other, or, when
// neither moves relative to the other, straight up the screen; never NaN.
TEST(Bounce, ZeroLengthVectorBacksOutTheWayItCame)
{
    Entity a, b;
    makeBox(a, BOX, 200, 200, 64);
    makeBox(b, BOX, 200, 200, 64);
    a.setVelocity(D3DXVECTOR2(0, 30));  // a ran down into b
    D3DXVECTOR2 v;
    ASSERT_TRUE(a.testCollision(b, v));
    ASSERT_EQ(v, D3DXVECTOR2(0, 0));
    a.bounce(v, b);
    EXPECT_FLOAT_EQ(a.getX(), 168);
    EXPECT_FLOAT_EQ(a.getY(), 158) << "ten steps back up";
    a.update(0.0f);
    EXPECT_FLOAT_EQ(a.getVelocity().x, 0);
    EXPECT_FLOAT_EQ(a.getVelocity().y, 15) << "half its approach taken off";
}

TEST(Bounce, ZeroLengthVectorAtRestPushesUpAndNeverMakesNaN)
{
    Entity a, b;
    makeCircle(a, 300, 300, 10);
    makeCircle(b, 300, 300, 10);
    D3DXVECTOR2 v(0, 0);
    a.bounce(v, b);
    a.bounceFromRest(v, b);
    a.update(0.0f);
    EXPECT_FALSE(std::isnan(a.getX()) || std::isnan(a.getY()));
    EXPECT_FLOAT_EQ(a.getX(), 268);
    EXPECT_FLOAT_EQ(a.getY(), 268 - 20);
    EXPECT_EQ(a.getVelocity(), D3DXVECTOR2(0, 0));
}
