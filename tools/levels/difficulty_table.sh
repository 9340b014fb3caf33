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
pattern='^bot level ([0-9]+)( \(second exit\))?: ([A-Za-z]+), ([0-9.]+) s, hull lost ([0-9]+), route (-?[0-9]+) cells, ([0-9]+) moves, ([0-9]+) waits, score ([0-9.]+)$'
{
    echo "# Level difficulty"
    echo
    echo "What the level bot (tests/levels/level_bot.h) needs to win each level"
    echo "without losing a ship, made by tools/levels/difficulty_table.sh: seconds"
    echo "from the start to the level's end (three of them on the whirlpool), hull"
    echo "lost on the way (of 100), the shortest way to the exit in cells with the"
    echo "enemies aside, and how many moves and waits its route took (a move to"
    echo "the next cell takes 26 frames, a wait 13)."
    echo
    echo "The score is one number for how hard a level is:"
    echo
    echo "    score = seconds + hull lost / 5"
    echo
    echo "so a cannonball taken (15 hull) costs three seconds. Time grows with the"
    echo "route and with the waits for a gap between enemies, so the score counts"
    echo "all three. Each run should climb: easy (1-10) below normal (11-20) below"
    echo "hard (21-30), with 30 the hardest of the hard run; 31 is the secret"
    echo "treasure level reached from 28's second whirlpool."
    echo
    echo "| level | result | seconds | hull lost | route (cells) | moves | waits | score |"
    echo "|---|---|---|---|---|---|---|---|"
    echo "$lines" | sed -E "s/$pattern/| \\1\\2 | \\3 | \\4 | \\5 | \\6 | \\7 | \\8 | \\9 |/"
    echo
    echo "| run | levels | average score | highest |"
    echo "|---|---|---|---|"
    echo "$lines" | grep -v 'second exit' | sed -E "s/$pattern/\\1 \\9/" | awk '
        function run(n) { return n <= 10 ? "easy" : n <= 20 ? "normal" : n <= 30 ? "hard" : "secret" }
        { r = run($1); sum[r] += $2; count[r]++
          if (!(r in top) || $2 > top[r]) { top[r] = $2; at[r] = $1 } }
        END {
            split("easy normal hard secret", order, " ")
            span["easy"] = "1-10"; span["normal"] = "11-20"; span["hard"] = "21-30"; span["secret"] = "31"
            for (i = 1; i <= 4; i++) {
                r = order[i]
                if (count[r]) printf "| %s | %s | %.1f | %.1f (level %d) |\n", r, span[r], sum[r] / count[r], top[r], at[r]
            }
        }'
} > "$out"
echo "wrote $out"
