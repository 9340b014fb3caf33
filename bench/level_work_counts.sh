#!/bin/bash
# Level N's game work (Level::update and Level::collisions) against level 1's,
# in instructions a frame, counted by callgrind: steady where times at this
# scale are not (a machine with no hardware counters, shared with others).
#
# Each run (sailing, idle, scrolling) is counted on its own; level 1 is
# narrow, so wide levels' scrolling is set against its sailing, as
# level_bench does. For each: the median frame (as level_bench reports
# times) and the mean, and of the mean the share spent starting sound cues
# (Audio::playCue, all of it in the sound engine). Cues start on few frames,
# so the median leaves them out.
#
#   bench/level_work_counts.sh [BUILD_DIR] [N] [FRAMES]
set -euo pipefail
build=${1:-build}
level=${2:-27}
frames=${3:-300}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Totals over the run, counting only inside the two calls.
count() {  # level run
    valgrind --tool=callgrind --callgrind-out-file="$out/$1.$2" \
        --toggle-collect='Level::update(float)' --toggle-collect='Level::collisions(float)' \
        "$build/bin/level_bench" "$1" "$frames" "$2" >/dev/null 2>&1
}
# One count for each update-and-collisions, from its start to its end.
frames() {  # level run
    mkdir -p "$out/frames.$1.$2"
    valgrind --tool=callgrind --callgrind-out-file="$out/frames.$1.$2/f" \
        --dump-before='Level::update(float)' --dump-after='Level::collisions(float)' \
        "$build/bin/level_bench" "$1" "$frames" "$2" >/dev/null 2>&1
}
total() { callgrind_annotate "$1" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}'; }
sounds() {
    callgrind_annotate --inclusive=yes "$1" 2>/dev/null |
        awk '/Audio::playCue\(char const\*\) \[/ && !n {gsub(",", "", $1); n = $1} END {print n + 0}'
}
# The median of the level's frames in a frames() directory. Each bench frame
# runs update and collisions twice, first the bench's own call (nothing in
# between: those are the ones taken), then the game loop's. skip: how many
# level-1 frames come first.
median() {  # dir skip
    local dir=$1 skip=$2
    for f in $(ls "$dir" | grep -E '^f\.[0-9]+$' | sort -t. -k2 -n); do
        awk '/^desc: Trigger: --dump-after/ {a = 1} /^totals:/ {t = $2} END {if (a) print t}' "$dir/$f"
    done | awk -v skip="$skip" -v n="$frames" 'NR > skip * 2 && NR <= (skip + n) * 2 && (NR - skip * 2) % 2 == 1' |
        sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

for run in sailing idle scrolling; do
    count "$level" "$run" &
    frames "$level" "$run" &
    if [ "$level" != 1 ] && [ "$run" != scrolling ]; then
        count 1 "$run" &
        frames 1 "$run" &
    fi
    wait
done

calls=$((frames * 2))  # updates a run: the bench's and the game loop's
printf '%-10s %22s %8s   %30s %8s %10s\n' "" "median frame" "" "mean frame" "" ""
printf '%-10s %10s %10s %8s   %10s %9s %9s %8s %10s\n' run "level $level" "level 1" "x L1" "level $level" sounds "level 1" "x L1" "no sounds"
ref_median=0 ref_mean=0
for run in sailing idle scrolling; do
    [ -s "$out/$level.$run" ] || continue
    t=$(total "$out/$level.$run"); s=$(sounds "$out/$level.$run")
    case "$t" in ''|*[!0-9]*|0) continue ;; esac  # a narrow level does not scroll
    if [ "$run" != scrolling ] && [ "$level" != 1 ]; then
        r=$(total "$out/1.$run"); rs=$(sounds "$out/1.$run")
        m=$(median "$out/frames.$level.$run" "$frames"); m1=$(median "$out/frames.1.$run" 0)
    else
        r=0; rs=0; m=$(median "$out/frames.$level.$run" 0); m1=0
    fi
    awk -v t="$t" -v s="$s" -v r="$r" -v rs="$rs" -v c="$calls" -v run="$run" -v m="$m" -v m1="$m1" \
        -v refm="$ref_median" -v ref="$ref_mean" '
    BEGIN {
        own = (t - r) / c; snd = (s - rs) / c; base = r / c;
        if (run == "scrolling") { base = ref; m1 = refm }
        if (base > 0)
            printf "%-10s %10.0f %10.0f %8.2f   %10.0f %9.0f %9.0f %8.2f %10.2f\n", run, m, m1, m / m1, own, snd, base,
                   own / base, (own - snd) / base;
        else
            printf "%-10s %10.0f %10s %8s   %10.0f %9.0f\n", run, m, "-", "-", own, snd;
    }'
    if [ "$run" = sailing ] && [ "$level" != 1 ]; then
        ref_mean=$(awk -v r="$r" -v c="$calls" 'BEGIN {print r / c}')
        ref_median=$m1
    fi
done
