// The shape tests and the dispatcher: touching counts, the rotated tests at
// several angles, and which way the collision vector points in each case.
#include "entity_fixtures.h"

#include <gtest/gtest.h>

using namespace entity_fixtures;
using entityNS::BOX;
using entityNS::CIRCLE;
using entityNS::ROTATED_BOX;

// ---- circles ------------------------------------------------------------------

TEST(CircleCollision, TouchingCirclesCollideAndTheVectorPointsAtTheOther)
{
    Entity a, b;
    makeCircle(a, 100, 100, 10);
    makeCircle(b, 118, 124, 20);  // 30 apart: 3-4-5 triangle, exactly 10 + 20
    D3DXVECTOR2 v = UNTOUCHED;
    ASSERT_TRUE(a.testCircles(b, v));
    EXPECT_EQ(v, D3DXVECTOR2(18, 24));
    ASSERT_TRUE(b.testCircles(a, v));
    EXPECT_EQ(v, D3DXVECTOR2(-18, -24));
}

TEST(CircleCollision, RadiiAreScaled)
{
    Entity a, b;
    makeCircle(a, 0 + 200, 200, 10, 2.0f);  // radius 20 on screen
    makeCircle(b, 230, 200, 10);
    D3DXVECTOR2 v = UNTOUCHED;
    EXPECT_TRUE(a.testCollision(b, v));

    placeCentre(b, 230.5f, 200);
    v = UNTOUCHED;
    EXPECT_FALSE(a.testCollision(b, v));
    EXPECT_EQ(v, UNTOUCHED) << "a miss leaves the vector alone";
}

// ---- axis-aligned boxes ---------------------------------------------------------

TEST(BoxCollision, BoxesSharingAnEdgeCollide)
{
    Entity a, b;
    makeBox(a, BOX, 100, 100, 64);
    makeBox(b, BOX, 164, 130, 64);  // right edge of a on left edge of b
    D3DXVECTOR2 v = UNTOUCHED;
    ASSERT_TRUE(a.testCollision(b, v));
    EXPECT_EQ(v, D3DXVECTOR2(64, 30));

    placeCentre(b, 165, 130);
    EXPECT_FALSE(a.testCollision(b, v));
    placeCentre(b, 130, 164);  // bottom on top
    EXPECT_TRUE(a.testCollision(b, v));
    placeCentre(b, 130, 164.5f);
    EXPECT_FALSE(a.testCollision(b, v));
}

TEST(BoxCollision, EdgesAreScaledAndUneven)
{
    Entity a, b;
    makeBox(a, BOX, 100, 100, 64, 0, 0.5f);  // 32 x 32 on screen
    initEntity(b, BOX, 150, 100, 1.0f);
    b.setEdge(RECT{-34, -5, 2, 5});  // reaches 34 to the left of its centre
    D3DXVECTOR2 v;
    EXPECT_TRUE(a.testCollision(b, v));  // 116 >= 150 - 34
    placeCentre(b, 150.5f, 100);
    EXPECT_FALSE(a.testCollision(b, v));
}

TEST(BoxCollision, PlainBoxesIgnoreTheAngle)
{
    // Turned 45 degrees, two 64-pixel squares 80 apart would overlap; as
    // plain boxes they are 64-pixel squares that do not.
    Entity a, b;
    makeBox(a, BOX, 100, 100, 64, 45);
    makeBox(b, BOX, 180, 100, 64, 45);
    D3DXVECTOR2 v;
    EXPECT_FALSE(a.testCollision(b, v));
    a.setCollisionType(ROTATED_BOX);
    b.setCollisionType(ROTATED_BOX);
    EXPECT_TRUE(a.testCollision(b, v));
}

// ---- rotated boxes --------------------------------------------------------------

struct RotatedCase {
    float degreesA, degreesB;
    float dx, dy;  // centre of b relative to a
    bool collides;
};

class RotatedBoxes : public ::testing::TestWithParam<RotatedCase> {};

TEST_P(RotatedBoxes, SeparatingAxesDecide)
{
    const RotatedCase c = GetParam();
    Entity a, b;
    makeBox(a, ROTATED_BOX, 300, 300, 64, c.degreesA);
    makeBox(b, ROTATED_BOX, 300 + c.dx, 300 + c.dy, 64, c.degreesB);
    D3DXVECTOR2 v = UNTOUCHED;
    ASSERT_EQ(a.testCollision(b, v), c.collides);
    D3DXVECTOR2 other;
    ASSERT_EQ(b.testCollision(a, other), c.collides) << "the test is symmetric";
    if (c.collides) {
        // A side of b, pointing from a towards b.
        EXPECT_GT(dot(v, D3DXVECTOR2(c.dx, c.dy)), 0.0f);
        EXPECT_NEAR(length(v), 64.0f, 1e-3f);
        EXPECT_LT(dot(other, D3DXVECTOR2(c.dx, c.dy)), 0.0f);
    }
}

// 64-pixel squares: the diagonal half-length is 45.25, so two diamonds touch
// at 90.5 along an axis, and a square meets a diamond at 32 + 45.25 = 77.25.
INSTANTIATE_TEST_SUITE_P(
    Angles, RotatedBoxes,
    ::testing::Values(RotatedCase{0, 0, 64, 0, true}, RotatedCase{0, 0, 64.5f, 0, false},
                      RotatedCase{0, 0, 0, -64, true}, RotatedCase{90, 90, 0, 63.5f, true},
                      RotatedCase{45, 45, 90, 0, true}, RotatedCase{45, 45, 91, 0, false},
                      RotatedCase{45, 45, 0, -90, true}, RotatedCase{0, 45, 77, 0, true},
                      RotatedCase{0, 45, -78, 0, false}, RotatedCase{45, 0, 0, 77, true},
                      RotatedCase{30, -30, 70, 10, true}, RotatedCase{30, 60, 90, 40, false},
                      // Overlapping on a's axes but apart along b's diagonal:
                      // the diamond's tip misses the square's corner.
                      RotatedCase{0, 45, 70, 70, false}, RotatedCase{45, 0, -70, 70, false}));

TEST(RotatedBoxCollision, TheVectorIsTheOtherBoxsSideAlongTheLeastOverlap)
{
    Entity a, b;
    makeBox(a, ROTATED_BOX, 100, 100, 64);
    makeBox(b, ROTATED_BOX, 160, 120, 64);  // overlap 4 across, 44 down
    D3DXVECTOR2 v;
    ASSERT_TRUE(a.testCollision(b, v));
    EXPECT_NEAR(v.x, 64, 1e-3f);
    EXPECT_NEAR(v.y, 0, 1e-3f);

    placeCentre(b, 120, 160);  // overlap 44 across, 4 down
    b.setBoxComputed(false);
    ASSERT_TRUE(a.testCollision(b, v));
    EXPECT_NEAR(v.x, 0, 1e-3f);
    EXPECT_NEAR(v.y, 64, 1e-3f);

    placeCentre(b, 160, 160);  // a tie keeps the first axis
    ASSERT_TRUE(a.testCollision(b, v));
    EXPECT_NEAR(v.x, 64, 1e-3f);
    EXPECT_NEAR(v.y, 0, 1e-3f);
}

TEST(RotatedBoxCollision, CornersFollowTheAngleAndTheCacheFollowsUpdate)
{
    Entity a;
    makeBox(a, ROTATED_BOX, 100, 100, 64, 90);
    Entity far;
    makeBox(far, ROTATED_BOX, 500, 500, 64);
    D3DXVECTOR2 v;
    a.testCollision(far, v);  // computes a's corners
    // Turned a quarter clockwise on screen, the top-left corner goes top-right.
    EXPECT_NEAR(a.getCorner(0)->x, 132, 1e-3f);
    EXPECT_NEAR(a.getCorner(0)->y, 68, 1e-3f);
    EXPECT_NEAR(a.getCorner(2)->x, 68, 1e-3f);
    EXPECT_NEAR(a.getCorner(2)->y, 132, 1e-3f);
    EXPECT_EQ(a.getCorner(7), a.getCorner(0));

    // Moved without clearing the cache, the old box still counts; update
    // clears it.
    a.setX(far.getX());
    a.setY(far.getY());
    EXPECT_FALSE(a.testCollision(far, v));
    a.update(0.0f);
    EXPECT_TRUE(a.testCollision(far, v));
}

// ---- rotated box against circle ------------------------------------------------

TEST(BoxCircleCollision, TouchingASideCollides)
{
    Entity box, ball;
    makeBox(box, BOX, 100, 100, 64);
    makeCircle(ball, 142, 110, 10);  // 10 beyond the right side
    D3DXVECTOR2 v = UNTOUCHED;
    ASSERT_TRUE(box.testCollision(ball, v));
    // Beside a side, the vector is the box's side along the least overlap,
    // pointing back from the circle to the box.
    EXPECT_NEAR(v.x, -64, 1e-3f);
    EXPECT_NEAR(v.y, 0, 1e-3f);

    placeCentre(ball, 142.5f, 110);
    EXPECT_FALSE(box.testCollision(ball, v));
}

TEST(BoxCircleCollision, ACircleTestedAgainstABoxGetsTheBoxsVectorNegated)
{
    Entity box, ball;
    makeBox(box, ROTATED_BOX, 100, 100, 64, 30);
    makeCircle(ball, 120, 140, 12);  // beside the turned box's right side
    D3DXVECTOR2 fromBox, fromBall;
    ASSERT_TRUE(box.testCollision(ball, fromBox));
    ASSERT_TRUE(ball.testCollision(box, fromBall));
    EXPECT_EQ(fromBall, -fromBox);
}

TEST(BoxCircleCollision, InTheCornerRegionOnlyTheCornerDistanceCounts)
{
    // A 45 degree diagonal from corner 2 (132, 132) of an upright box.
    Entity box, ball;
    makeBox(box, ROTATED_BOX, 100, 100, 64);
    const float r = 10;
    const float off = r / std::sqrt(2.0f);

    // Both projections overlap, but the circle is 10.6 from the corner.
    makeCircle(ball, 132 + off + 0.5f, 132 + off + 0.5f, r);
    D3DXVECTOR2 v = UNTOUCHED;
    EXPECT_FALSE(box.testCollision(ball, v));
    EXPECT_EQ(v, UNTOUCHED);
    D3DXVECTOR2 w = UNTOUCHED;
    EXPECT_FALSE(ball.testCollision(box, w));
    EXPECT_EQ(w, -UNTOUCHED) << "the circle's side negates even on a miss";

    // Within the radius of the corner: the vector runs from the corner to
    // the circle's centre.
    placeCentre(ball, 132 + off - 0.5f, 132 + off - 0.5f);
    ASSERT_TRUE(box.testCollision(ball, v));
    EXPECT_NEAR(v.x, off - 0.5f, 1e-3f);
    EXPECT_NEAR(v.y, off - 0.5f, 1e-3f);
}

TEST(BoxCircleCollision, EachCornerRegionUsesItsOwnCorner)
{
    Entity box, ball;
    makeBox(box, ROTATED_BOX, 100, 100, 64, 90);  // turned: corner 0 at top-right
    const D3DXVECTOR2 outward[4] = {{1, -1}, {1, 1}, {-1, 1}, {-1, -1}};
    const D3DXVECTOR2 cornerAt[4] = {{132, 68}, {132, 132}, {68, 132}, {68, 68}};
    for (int k = 0; k < 4; ++k) {
        const D3DXVECTOR2 near = cornerAt[k] + outward[k] * 6.0f;  // 8.5 from the corner
        makeCircle(ball, near.x, near.y, 9);
        D3DXVECTOR2 v;
        ASSERT_TRUE(box.testCollision(ball, v)) << "corner " << k;
        EXPECT_NEAR(v.x, outward[k].x * 6, 1e-3f) << "corner " << k;
        EXPECT_NEAR(v.y, outward[k].y * 6, 1e-3f) << "corner " << k;
        placeCentre(ball, near.x, near.y);
        ball.setRadius(8);
        EXPECT_FALSE(box.testCollision(ball, v)) << "corner " << k;
    }
}

// ---- the dispatcher -------------------------------------------------------------

TEST(CollisionDispatch, InactiveEntitiesNeverCollide)
{
    const int types[] = {CIRCLE, BOX, ROTATED_BOX};
    for (int ta : types) {
        for (int tb : types) {
            Entity a, b;
            makeBox(a, ta, 100, 100, 64);
            makeBox(b, tb, 100, 100, 64);
            D3DXVECTOR2 v = UNTOUCHED;
            ASSERT_TRUE(a.testCollision(b, v));
            v = UNTOUCHED;
            a.setActive(false);
            EXPECT_FALSE(a.testCollision(b, v));
            EXPECT_FALSE(b.testCollision(a, v));
            EXPECT_EQ(v, UNTOUCHED) << ta << " against " << tb;
            a.activate();
            EXPECT_TRUE(a.testCollision(b, v));
        }
    }
}

TEST(CollisionDispatch, ABoxMeetsARotatedBoxAtItsOwnAngle)
{
    // A box type still turns when the other side is rotated: at 45 degrees
    // it reaches 45 pixels, not 32.
    Entity a, b;
    makeBox(a, BOX, 100, 100, 64, 45);
    makeBox(b, ROTATED_BOX, 176, 100, 64);
    D3DXVECTOR2 v;
    EXPECT_TRUE(a.testCollision(b, v));
    EXPECT_TRUE(b.testCollision(a, v));
    b.setCollisionType(BOX);
    EXPECT_FALSE(a.testCollision(b, v));
}

TEST(CollisionDispatch, UnknownTypesActAsRotatedBoxes)
{
    Entity a, b;
    makeBox(a, 7, 100, 100, 64, 45);
    makeBox(b, ROTATED_BOX, 190, 100, 64, 45);
    D3DXVECTOR2 v;
    EXPECT_TRUE(a.testCollision(b, v));
    placeCentre(b, 191, 100);
    EXPECT_FALSE(a.testCollision(b, v));
}
