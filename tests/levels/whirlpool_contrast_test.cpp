#include "level_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

// Every whirlpool stands out from the sea at a glance, drawn as the level
// draws it: half transparent, under the tiles, over the sea picture, at its
// place on its level's map. Each of its four frames is drawn and compared,
// pixel by pixel, with the same frame drawn without it; the difference is
// what a player sees of it against the water right behind.

using testsupport::Picture;

namespace {

// How bright a colour looks (Rec. 601 weights), 0 to 255.
double luma(std::uint32_t c)
{
    return 0.299 * testsupport::red(c) + 0.587 * testsupport::green(c) + 0.114 * testsupport::blue(c);
}

struct Contrast {
    int drawn = 0;           // pixels the whirlpool changes
    double meanLuma = 0;     // their mean brightness difference from the sea, either way
    int lighter = 0;         // pixels at least FOAM_LIGHTER brighter than the sea behind
    int darker = 0;          // pixels at least RIM_DARKER darker
};

constexpr int SIZE = 32;             // 16 px frames drawn at scale 2
constexpr double FOAM_LIGHTER = 60;  // foam over the sea
constexpr double RIM_DARKER = 25;    // the rim and the eye over the sea

// What the whirlpool drawn at (x, y) changes of the sea behind it.
Contrast contrast(const Picture& with, const Picture& without, float x, float y)
{
    Contrast c;
    double sum = 0;
    // One pixel more each side: the draw rounds a fractional position.
    const int left = static_cast<int>(std::floor(x)) - 1, top = static_cast<int>(std::floor(y)) - 1;
    for (int py = std::max(top, 0); py < std::min(top + SIZE + 2, with.height); ++py) {
        for (int px = std::max(left, 0); px < std::min(left + SIZE + 2, with.width); ++px) {
            if (with.at(px, py) == without.at(px, py))
                continue;
            const double d = luma(with.at(px, py)) - luma(without.at(px, py));
            ++c.drawn;
            sum += std::fabs(d);
            c.lighter += d >= FOAM_LIGHTER;
            c.darker += d <= -RIM_DARKER;
        }
    }
    c.meanLuma = c.drawn ? sum / c.drawn : 0;
    return c;
}

struct Exit {
    int level;
    int exit;  // 0 the whirlpool, 1 level 28's second one
};

}  // namespace

class WhirlpoolStandsOut : public LevelFixture, public ::testing::WithParamInterface<Exit> {
protected:
    Picture draw()
    {
        game->renderGame();
        return testsupport::readBack();
    }
};

TEST_P(WhirlpoolStandsOut, FromTheSeaBehindIt)
{
    const auto [number, exit] = GetParam();
    Level& lv = enter(number);
    for (auto& e : lv.getEnemyShips())
        e.stopMoving();
    for (auto& e : lv.getEnemyShip1s())
        e.stopMoving();
    EndLevelMarker* pool = exit == 0 ? &lv.getEndMarker() : lv.getSecondEndMarker();
    ASSERT_NE(pool, nullptr);
    if (pool->getX() + SIZE > 800) {
        // On a wide map: scroll to its right end, the ship pressing on the
        // edge of its window (no collisions run, nothing stops it).
        ship().setX(600 - 64);
        hold(VK_RIGHT);
        while (lv.getMapX() >= levelNS::MAX_MAP_SCROLL)
            lv.update(FRAME);
        release(VK_RIGHT);
    }
    ASSERT_LE(pool->getX() + SIZE, 800.0f) << "the whirlpool is on the screen";

    for (int frame = 0; frame < 4; ++frame) {
        pool->setCurrentFrame(frame);
        pool->setVisible(true);
        const Picture with = draw();
        pool->setVisible(false);
        const Picture without = draw();
        pool->setVisible(true);
        const Contrast c = contrast(with, without, pool->getX(), pool->getY());
        std::printf("whirlpool level %d%s frame %d: %d px drawn, mean luma difference %.1f, "
                    "%d px foam, %d px dark\n",
                    number, exit == 1 ? " (second exit)" : "", frame, c.drawn, c.meanLuma, c.lighter, c.darker);
        const std::string where = "level " + std::to_string(number) + " whirlpool " + std::to_string(exit) +
                                  " frame " + std::to_string(frame);
        // The disc fills about three quarters of its 32 x 32 square.
        EXPECT_GE(c.drawn, 600) << where << ": hidden under something";
        // The sea-coloured whirlpool this replaced gave 31 to 42 here; the
        // foam spiral gives 48 to 55 over every level's sea.
        EXPECT_GE(c.meanLuma, 45.0) << where << ": too close to the sea in brightness";
        // A bright spiral and a dark ring, not only a lighter or darker blot:
        // light flecks of foam are all over the sea, dark patches are not.
        EXPECT_GE(c.lighter, 150) << where << ": too little light foam";
        EXPECT_GE(c.darker, 150) << where << ": too little dark rim and eye";
    }
}

namespace {
std::vector<Exit> everyWhirlpool()
{
    std::vector<Exit> all;
    for (int n = 1; n <= 31; ++n)
        all.push_back({n, 0});
    all.push_back({28, 1});
    return all;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Levels, WhirlpoolStandsOut, ::testing::ValuesIn(everyWhirlpool()),
                         [](const ::testing::TestParamInfo<Exit>& info) {
                             return "Level" + std::to_string(info.param.level) +
                                    (info.param.exit == 1 ? "SecondExit" : "");
                         });
