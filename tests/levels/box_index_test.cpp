// The marker index never leaves out a box that may meet the one asked about,
// whatever the boxes (touching, the wrong way round, NaN, infinite, far
// apart, not boxes at all), and it does leave out boxes far away.
#include "levels/box_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// Boxes that scroll together, each worked out again from its moved position
// with the rounding that brings, and now and then one nudged a little on its
// own: the index follows them and still finds every box that touches the
// one asked about, right at the edge.
TEST(BoxIndex, FollowsBoxesThatMoveTogether)
{
    std::mt19937 rng(20261210);
    std::uniform_real_distribution<float> unit(0, 1), size(0, 80), step(-9, 9), nudge(0, 4);
    std::uniform_int_distribution<int> pick(0, 99);
    BoxIndex index;
    long asked = 0, found = 0;
    for (int set = 0; set < 500; ++set) {
        struct Placed {
            float x, y, w, h;
            bool reversed;
        };
        // Narrow bands and wide; the widest, far beyond any map, not followed.
        const float spread = std::array{600.0f, 1500.0f, 6000.0f, 40000.0f, 200000.0f}[static_cast<size_t>(set % 5)];
        std::vector<Placed> placed(static_cast<size_t>(1 + rng() % BoxIndex::MAX_BOXES));
        for (auto& p : placed)
            p = Placed{unit(rng) * spread - 100, unit(rng) * spread / 4, size(rng), size(rng), pick(rng) < 5};
        std::vector<AxisBox> boxes(placed.size());
        float scrolled = 0;
        for (int frame = 0; frame < 60; ++frame) {
            scrolled += step(rng);
            for (size_t i = 0; i < placed.size(); ++i) {
                const Placed& p = placed[i];
                const float x = p.x + scrolled;
                boxes[i] = box(x + p.w * 0.25f, p.y, x + p.w * 0.25f + p.w, p.y + p.h);
                if (p.reversed)
                    std::swap(boxes[i].left, boxes[i].right);
            }
            // Most of the time one box lies further out than the move takes
            // it, by a little or by more, and the first probe touches it there.
            size_t nudged = rng() % boxes.size();
            if (const int odd = pick(rng); odd < 80) {
                AxisBox& b = boxes[nudged];
                const float by = odd < 50 ? nudge(rng) / 8 : nudge(rng);
                if (odd % 2 == 0)
                    (b.right >= b.left ? b.right : b.left) += by;
                else
                    (b.right >= b.left ? b.left : b.right) -= by;
            }
            ASSERT_TRUE(index.build(boxes));
            for (int q = 0; q < 8; ++q) {
                // Touching a box's side from outside, or overlapping it.
                const AxisBox& b = boxes[q == 0 ? nudged : rng() % boxes.size()];
                const bool after = pick(rng) < 50;  // beyond its right side, or before its left
                const float across = after ? std::max(b.left, b.right) : std::min(b.left, b.right);
                const float down = std::min(b.top, b.bottom), width = size(rng);
                AxisBox probe = after ? box(across, down - width, across + width, down)
                                      : box(across - width, down, across, down + width);
                if (pick(rng) < 10)
                    std::swap(probe.left, probe.right);
                const std::uint64_t answer = index.mayMeet(probe);
                for (size_t i = 0; i < boxes.size(); ++i) {
                    const bool meets = !cannotMeet(probe, boxes[i]);
                    ASSERT_TRUE(!meets || ((answer >> i) & 1)) << "set " << set << " frame " << frame << " box " << i;
                    ++asked;
                    found += meets;
                }
            }
        }
    }
    EXPECT_GT(found, asked / 100) << "the probes do touch boxes";
}
