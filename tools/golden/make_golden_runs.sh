#!/usr/bin/env bash
# Makes the golden runs again: the level bot wins every level (and level 28
# by its second whirlpool) from the title, through the real event path, and
# each win is recorded into tests/golden/runs/. Run it after a change to the
# rules that alters play, look at what changed, and commit the new runs
# (and the title's demos in data/demos/, which are copies of some of them).
#   tools/golden/make_golden_runs.sh [BUILD_DIR]    (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
cmake --build "$build" -j"$(nproc)" --target make_golden_runs golden_tests
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# Only a full set replaces the old one.
"$build/bin/make_golden_runs" "$out" || { echo "not every level was won; the runs are unchanged" >&2; exit 1; }
rm -f tests/golden/runs/*.khreplay
cp "$out"/*.khreplay tests/golden/runs/
# The title's demos are some of them.
for demo in data/demos/*.khreplay; do cp "tests/golden/runs/$(basename "$demo")" "$demo"; done
echo "32 golden runs made in tests/golden/runs/, and the demos in data/demos/ with them"
