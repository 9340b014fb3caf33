#include "level_bot.h"
#include "level_fixture.h"

#include <cstdio>

// Every level is won by the bot from its start, without losing a ship, and
// level 28 by its second whirlpool too. The figures printed are the level's
// difficulty: seconds to the exit, hull lost, the shortest route in cells,
// and the score made from them (BotResult::score).
class BotWins : public LevelFixture, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(BotWins, TheLevelWithoutLosingAShip)
{
    const auto [level, exit] = GetParam();
    LevelBot bot(*game, level, exit);
    const BotResult r = bot.run();
    std::printf("bot level %d%s: %s, %.1f s, hull lost %.0f, route %d cells, %d moves, %d waits, score %.1f\n",
                level, exit == 1 ? " (second exit)" : "", r.won ? "won" : "LOST", r.seconds, r.hullLost,
                r.routeCells, r.plannedMoves, r.waits, r.score());
    EXPECT_TRUE(r.won) << "level " << level << ": " << r.why;
}

namespace {
std::vector<std::pair<int, int>> everyExit()
{
    std::vector<std::pair<int, int>> all;
    for (int n = 1; n <= 31; ++n)
        all.push_back({n, 0});
    all.push_back({28, 1});
    return all;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Levels, BotWins, ::testing::ValuesIn(everyExit()),
                         [](const ::testing::TestParamInfo<std::pair<int, int>>& info) {
                             return "Level" + std::to_string(info.param.first) +
                                    (info.param.second == 1 ? "SecondExit" : "");
                         });
