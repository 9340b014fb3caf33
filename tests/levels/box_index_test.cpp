// The marker index never leaves out a box that may meet the one asked about,
// whatever the boxes (touching, the wrong way round, NaN, infinite, far
// apart, not boxes at all), and it does leave out boxes far away.
#include "levels/box_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

AxisBox box(float left, float top, float right, float bottom)
{
    return AxisBox{BoxKind::Box, left, right, top, bottom};
}

// Mostly ordinary boxes on a coarse grid, so that edges often touch, with
// now and then one of every awkward kind.
AxisBox randomBox(std::mt19937& rng)
{
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> at(-20, 60);
    std::uniform_int_distribution<int> size(0, 6);
    const int kind = pick(rng);
    if (kind < 4)
        return AxisBox{BoxKind::Inactive};
    if (kind < 8)
        return AxisBox{BoxKind::Other};
    const float l = static_cast<float>(at(rng)) * 16, t = static_cast<float>(at(rng)) * 16;
    AxisBox b = box(l, t, l + static_cast<float>(size(rng)) * 16, t + static_cast<float>(size(rng)) * 16);
    const int odd = pick(rng);
    if (odd < 5)
        std::swap(b.left, b.right);
    else if (odd < 7)
        b.top = NAN;
    else if (odd < 8)
        b.right = std::numeric_limits<float>::infinity();
    else if (odd < 9)
        b.left = -1e30f;
    return b;
}

}  // namespace

TEST(BoxIndex, NeverLeavesOutABoxThatMayMeet)
{
    std::mt19937 rng(20261209);
    BoxIndex index;
    long considered = 0, leftOut = 0;
    for (int set = 0; set < 3000; ++set) {
        std::vector<AxisBox> boxes(static_cast<size_t>(rng() % (BoxIndex::MAX_BOXES + 1)));
        for (auto& b : boxes)
            b = randomBox(rng);
        ASSERT_TRUE(index.build(boxes));
        for (int q = 0; q < 20; ++q) {
            const AxisBox asked = randomBox(rng);
            const std::uint64_t answer = index.mayMeet(asked);
            for (size_t i = 0; i < boxes.size(); ++i) {
                const bool listed = (answer >> i) & 1;
                ASSERT_TRUE(listed || cannotMeet(asked, boxes[i])) << "set " << set << " box " << i;
                ++considered;
                leftOut += !listed;
            }
            if (boxes.size() < BoxIndex::MAX_BOXES) {
                EXPECT_EQ(answer >> boxes.size(), 0u) << "no bits beyond the boxes";
            }
        }
    }
    EXPECT_GT(leftOut, considered / 2) << "most boxes are far from most others";
}

TEST(BoxIndex, LeavesOutFarBoxesAndFollowsBoxesThatMove)
{
    BoxIndex index;
    std::vector<AxisBox> boxes{box(0, 0, 10, 10), box(1000, 0, 1010, 10), box(0, 500, 10, 510)};
    ASSERT_TRUE(index.build(boxes));
    EXPECT_EQ(index.mayMeet(box(5, 5, 20, 20)), 0b001u);
    EXPECT_EQ(index.mayMeet(box(10, 10, 10, 10)), 0b001u) << "a touching corner";

    boxes[1] = box(5, 5, 6, 6);  // the same number of boxes, one moved
    ASSERT_TRUE(index.build(boxes));
    EXPECT_EQ(index.mayMeet(box(5, 5, 20, 20)), 0b011u);
    EXPECT_EQ(index.mayMeet(AxisBox{BoxKind::Inactive}), 0u);
    EXPECT_EQ(index.mayMeet(AxisBox{BoxKind::Other}), 0b111u) << "only the full test can tell";
}

TEST(BoxIndex, RefusesMoreBoxesThanItHasBitsFor)
{
    BoxIndex index;
    std::vector<AxisBox> boxes(BoxIndex::MAX_BOXES, box(0, 0, 1, 1));
    EXPECT_TRUE(index.build(boxes));
    EXPECT_EQ(index.mayMeet(box(0, 0, 1, 1)), ~std::uint64_t{0});
    boxes.push_back(box(0, 0, 1, 1));
    EXPECT_FALSE(index.build(boxes));
}
