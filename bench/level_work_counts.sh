#!/bin/bash
# Level N's game work (Level::update and Level::collisions) against level 1's,
# in instructions a frame, counted by callgrind: steady where times at this
# scale are not (a machine with no hardware counters, shared with others).
# Each run is counted on its own; level 1 is narrow, so wide levels'
# scrolling is set against its sailing, as level_bench does. "Sounds" is the
# share spent starting sound cues (Audio::playCue, all of it in the sound
# engine).
#
#   bench/level_work_counts.sh [BUILD_DIR] [N] [FRAMES]
set -euo pipefail
build=${1:-build}
level=${2:-27}
frames=${3:-300}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

count() {  # level run -> callgrind output file
    valgrind --tool=callgrind --callgrind-out-file="$out/$1.$2" \
        --toggle-collect='Level::update(float)' --toggle-collect='Level::collisions(float)' \
        "$build/bin/level_bench" "$1" "$frames" "$2" >/dev/null 2>&1
}
total() { callgrind_annotate "$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'; }
sounds() {
    callgrind_annotate --inclusive=yes "$1" 2>/dev/null |
        awk '/Audio::playCue\(char const\*\) \[/ && !n {gsub(",", "", $1); n = $1} END {print n + 0}'
}

for run in sailing idle scrolling; do
    count "$level" "$run" &
    if [ "$level" != 1 ] && [ "$run" != scrolling ]; then
        count 1 "$run" &
    fi
    wait
done

# level_bench N counts level 1 in the same file; each frame is two updates
# (the bench's own and the game loop's).
calls=$((frames * 2))
printf '%-10s %12s %10s %10s %8s %16s\n' run "level $level" sounds "level 1" "x L1" "x L1, no sounds"
ref_sailing=0
for run in sailing idle scrolling; do
    [ -s "$out/$level.$run" ] || continue
    t=$(total "$out/$level.$run"); s=$(sounds "$out/$level.$run")
    if [ "$run" != scrolling ] && [ "$level" != 1 ]; then
        r=$(total "$out/1.$run"); rs=$(sounds "$out/1.$run")
    else
        r=0; rs=0
    fi
    [ -n "$t" ] || continue
    awk -v t="$t" -v s="$s" -v r="$r" -v rs="$rs" -v c="$calls" -v run="$run" -v ref="$ref_sailing" '
    BEGIN {
        own = (t - r) / c; snd = (s - rs) / c; base = r / c;
        if (run == "scrolling") base = ref;
        if (base > 0)
            printf "%-10s %12.0f %10.0f %10.0f %8.2f %16.2f\n", run, own, snd, base, own / base, (own - snd) / base;
        else
            printf "%-10s %12.0f %10.0f %10s\n", run, own, snd, "-";
    }'
    if [ "$run" = sailing ] && [ "$level" != 1 ]; then
        ref_sailing=$(awk -v r="$r" -v c="$calls" 'BEGIN {print r / c}')
    fi
done
