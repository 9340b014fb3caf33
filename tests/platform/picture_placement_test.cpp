#include "picture_placement.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::PicturePlacement;
using platform::placePicture;

namespace {

void expectPlaced(int windowW, int windowH, int x, int y, int w, int h, bool whole)
{
    SCOPED_TRACE(testing::Message() << windowW << " x " << windowH);
    const PicturePlacement p = placePicture(windowW, windowH, 800, 600);
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.width, w);
    EXPECT_EQ(p.height, h);
    EXPECT_EQ(p.wholeNumberScale, whole);
}

}  // namespace

TEST(PicturePlacement, WholeNumberScalesWheneverTheWindowHoldsOneCopyFractionsOnlyBelow)
{
    expectPlaced(800, 600, 0, 0, 800, 600, true);
    expectPlaced(1000, 600, 100, 0, 800, 600, true);     // pillarbox
    expectPlaced(800, 800, 0, 100, 800, 600, true);      // letterbox
    expectPlaced(1599, 1199, 399, 299, 800, 600, true);  // not yet twice
    expectPlaced(1600, 1200, 0, 0, 1600, 1200, true);
    expectPlaced(1700, 1300, 50, 50, 1600, 1200, true);
    expectPlaced(1920, 1080, 560, 240, 800, 600, true);  // a full-HD desktop
    expectPlaced(2560, 1440, 480, 120, 1600, 1200, true);
    expectPlaced(400, 600, 0, 150, 400, 300, false);  // narrower than 4:3
    expectPlaced(700, 300, 150, 0, 400, 300, false);  // wider than 4:3
    expectPlaced(799, 600, 0, 0, 799, 599, false);
}

TEST(PicturePlacement, AnyWindowGetsACentredPictureOfTheRightShapeInsideIt)
{
    for (int w = 150; w <= 2000; w += 37) {
        for (int h = 110; h <= 1500; h += 41) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            const PicturePlacement p = placePicture(w, h, 800, 600);
            ASSERT_GE(p.x, 0);
            ASSERT_GE(p.y, 0);
            ASSERT_LE(p.x + p.width, w);
            ASSERT_LE(p.y + p.height, h);
            ASSERT_LE(std::abs(w - p.width - 2 * p.x), 1);
            ASSERT_LE(std::abs(h - p.height - 2 * p.y), 1);
            ASSERT_LE(std::abs(p.width * 3 - p.height * 4), 4) << "4:3 within a pixel";
            // It touches two opposite sides, unless a whole-number scale leaves room.
            if (!p.wholeNumberScale) {
                ASSERT_TRUE(p.width == w || p.height == h);
            }
        }
    }
}
