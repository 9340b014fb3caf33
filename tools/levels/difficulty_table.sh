#!/usr/bin/env bash
# Runs the level bot over every level and writes its figures, the levels'
# difficulty, as a table in docs/level-difficulty.md.
#
#   tools/levels/difficulty_table.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
out="$root/docs/level-difficulty.md"
lines=$(cd "$build/bin" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./levels_tests \
    --gtest_filter='Levels/BotWins.*' 2>/dev/null | grep '^bot level')
{
    echo "# Level difficulty"
    echo
    echo "What the level bot (tests/levels/level_bot.h) needs to win each level"
    echo "without losing a ship, made by tools/levels/difficulty_table.sh: seconds"
    echo "from the start to the level's end, hull lost on the way (of 100), the"
    echo "shortest way to the exit in cells with the enemies aside, and how many"
    echo "moves and waits its route took. Longer times, more waits and more hull"
    echo "lost mean a harder level."
    echo
    echo "| level | result | seconds | hull lost | route (cells) | moves | waits |"
    echo "|---|---|---|---|---|---|---|"
    echo "$lines" | sed -E 's/^bot level ([0-9]+)( \(second exit\))?: ([A-Za-z]+), ([0-9.]+) s, hull lost ([0-9]+), route (-?[0-9]+) cells, ([0-9]+) moves, ([0-9]+) waits$/| \1\2 | \3 | \4 | \5 | \6 | \7 | \8 |/'
} > "$out"
echo "wrote $out"
