#!/bin/bash
# A cannon shot's cue start, counted by callgrind on the game thread alone
# (the mixer's and the engine's own threads are counted apart): the
# instructions inside Audio::playCue for each of cue_bench's shots, and those
# of the engine's periodic work (Audio::run) each frame, where any upkeep of
# the effects' voices between shots would show.
#
#   bench/cue_counts.sh [BUILD_DIR] [SHOTS] [FRAMES_BETWEEN_SHOTS]   (target: at most 2,000 a shot)
set -euo pipefail
build=${1:-build}
shots=${2:-100}
between=${3:-8}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy

valgrind --tool=callgrind --separate-threads=yes --callgrind-out-file="$out/cues" \
    "$build/bin/cue_bench" "$shots" "$between" >"$out/bench" 2>"$out/log" || {
    cat "$out/log" >&2
    exit 1
}
# The game thread is the first; each other thread has a file of its own.
main=$(ls "$out"/cues*-01 2>/dev/null | head -1)
[ -n "$main" ] || main="$out/cues"
# Each call of the function, as the callers' lines show it: "=> file:name (Nx)",
# the cost of all N calls first. Prints the cost and the number of calls.
calls() {  # function name
    (callgrind_annotate --inclusive=yes --threshold=100 "$main" 2>/dev/null || true) |
        awk -v f="$1" 'index($0, "=> ") && index($0, ":" f " (") {
            cost = $1; gsub(",", "", cost); n = $NF; gsub(/[(),x]/, "", n); c += cost; k += n
        } END {print c + 0, k + 0}'
}
read -r starts startCalls < <(calls 'Audio::playCue(char const*)')
read -r runs runCalls < <(calls 'Audio::run()')
sed -n '/shots/p' "$out/bench"
# Every playCue is counted, the bench's first (which may read the wave's
# pages) and any that had to make a voice because all were busy.
awk -v s="$starts" -v r="$runs" -v n="$startCalls" -v f="$runCalls" 'BEGIN {
    if (n == 0 || f == 0) { print "no calls of Audio::playCue or Audio::run counted"; exit 1 }
    printf "cannon cue start: %.0f instructions a shot on the game thread, the mean of %d (target: at most 2000)\n", s / n, n;
    printf "periodic work:    %.0f instructions a frame (Audio::run, the engine'"'"'s DoWork), %d frames\n", r / f, f;
    printf "both together:    %.0f instructions a shot, all sound work on the game thread over shots\n", (s + r) / n;
}'
