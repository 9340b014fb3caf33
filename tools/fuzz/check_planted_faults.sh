#!/usr/bin/env bash
# tools/fuzz/check_planted_faults.sh [SECONDS] [FAULT...]
#
# Proves the fuzzing harnesses catch broken readers. Each patch in
# tools/fuzz/planted/ breaks one promise of one reader (its first line names
# the harness that must notice). The script keeps a scratch copy of the
# tree in build-fuzz/planted/tree, so the game's sources never carry a
# fault, and builds it with clang like tools/fuzz/run_fuzzers.sh, in
# build-fuzz/planted/tree/build-fuzz. First the
# untouched readers must pass every harness's seeds; then, fault by fault,
# the patch goes in, its harness is rebuilt and fuzzed from its seeds for at
# most SECONDS (default 60), and it must fail; the patch comes out again.
# A fault that is not caught, or a patch that no longer applies, fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
seconds="${1:-60}"
shift || true

faults=("$@")
if [ ${#faults[@]} -eq 0 ]; then
  for p in tools/fuzz/planted/*.patch; do faults+=("$(basename "$p" .patch)"); done
fi

scratch=build-fuzz/planted
tree=$scratch/tree
# Built inside the copy, as build-fuzz is in the checkout, so that with
# ccache the copy reuses build-fuzz's objects (fuzz_build.sh).
build=$tree/build-fuzz
mkdir -p "$tree" "$scratch/logs"

# The scratch copy follows the working tree by content: a file that differs
# is copied with a new time, so the build sees it, and one that matches is
# left alone, so a second run rebuilds little.
python3 - "$tree" CMakeLists.txt cmake src tests/fuzz tools data <<'EOF'
import filecmp, os, shutil, sys
tree, tops = sys.argv[1], sys.argv[2:]
wanted = set()
for top in tops:
    paths = [top] if os.path.isfile(top) else [os.path.join(d, f) for d, _, fs in os.walk(top) for f in fs]
    for src in paths:
        dst = os.path.join(tree, src)
        wanted.add(os.path.normpath(dst))
        if not os.path.exists(dst) or not filecmp.cmp(src, dst, shallow=False):
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)
for top in tops:
    for d, _, fs in os.walk(os.path.join(tree, top)):
        for f in fs:
            if os.path.normpath(os.path.join(d, f)) not in wanted:
                os.remove(os.path.join(d, f))
EOF

source tools/fuzz/fuzz_build.sh
fuzz_configure "$tree" "$build"
cmake --build "$build" --target fuzzers -j"$(nproc)" >"$scratch/logs/build.log" 2>&1 ||
  { tail -30 "$scratch/logs/build.log"; exit 1; }

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The untouched readers pass their seeds; otherwise a fault's failure below
# would prove nothing.
for src in tests/fuzz/*_fuzz.cpp; do
  h=$(basename "$src" .cpp)
  if ! "$build/bin/$h" -runs=0 "tests/fuzz/corpus/$h" >"$scratch/logs/$h-clean.log" 2>&1; then
    echo "!! $h fails its seeds with the readers as they are; see $scratch/logs/$h-clean.log"
    grep -E "fuzz check failed|ERROR|SUMMARY" "$scratch/logs/$h-clean.log" | head -5 || true
    exit 1
  fi
done
echo "clean readers pass every harness's seeds"

applied=""
cleanup() { if [ -n "$applied" ]; then patch -s -d "$tree" -p1 -R <"tools/fuzz/planted/$applied.patch" || true; fi; }
trap cleanup EXIT

missed=()
for f in "${faults[@]}"; do
  p="tools/fuzz/planted/$f.patch"
  h=$(sed -n '1s/^Planted fault for \([a-z_]*\):.*/\1/p' "$p")
  if [ -z "$h" ] || ! patch -s -d "$tree" -p1 --dry-run <"$p" >/dev/null 2>&1; then
    echo "!! $f: the patch no longer applies (or names no harness); update it to the reader"
    missed+=("$f")
    continue
  fi
  patch -s -d "$tree" -p1 <"$p"
  applied=$f
  start=$(date +%s.%N)
  cmake --build "$build" --target "$h" -j"$(nproc)" >"$scratch/logs/$f-build.log" 2>&1 ||
    { tail -20 "$scratch/logs/$f-build.log"; exit 1; }
  built=$(date +%s.%N)
  work=$(mktemp -d "$scratch/corpus-$f.XXXXXX")
  log="$scratch/logs/$f.log"
  if "$build/bin/$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$scratch/logs/$f-" "$work" "tests/fuzz/corpus/$h" >"$log" 2>&1; then
    echo "!! $f: $h did not notice in ${seconds}s; see $log"
    missed+=("$f")
  else
    caught=$(grep -m1 -E "fuzz check failed|ERROR: [A-Za-z]+Sanitizer|runtime error" "$log" || echo "it failed")
    printf '%-24s caught by %-18s in %5.1fs (build %4.1fs): %s\n' "$f" "$h" \
      "$(awk "BEGIN{print $(date +%s.%N) - $built}")" "$(awk "BEGIN{print $built - $start}")" "$caught"
  fi
  rm -rf "$work"
  patch -s -d "$tree" -p1 -R <"$p"
  applied=""
done

# The readers are whole again in the scratch tree; leave it built that way.
cmake --build "$build" --target fuzzers -j"$(nproc)" >"$scratch/logs/build.log" 2>&1

echo "planted faults: $((${#faults[@]} - ${#missed[@]})) caught, ${#missed[@]} missed"
if [ ${#missed[@]} -ne 0 ]; then
  echo "not caught: ${missed[*]}"
  exit 1
fi
