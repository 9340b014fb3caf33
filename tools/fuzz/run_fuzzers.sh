#!/usr/bin/env bash
# tools/fuzz/run_fuzzers.sh [SECONDS] [HARNESS...]
#
# Builds the libFuzzer harnesses (tests/fuzz) in their own clang tree,
# build-fuzz, with AddressSanitizer and UBSan, and runs each for SECONDS
# (default 30) from its seeds in tests/fuzz/corpus/<harness>. New inputs the
# fuzzer finds go to build-fuzz/corpus, never into the seeds; a crash, hang,
# leak or failed check is written to build-fuzz/findings and fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-30}"
shift || true

source tools/fuzz/fuzz_build.sh
fuzz_configure . build-fuzz
cmake --build build-fuzz --target fuzzers -j"$(nproc)"

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for src in tests/fuzz/*_fuzz.cpp; do harnesses+=("$(basename "$src" .cpp)"); done
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p build-fuzz/findings
failed=()
for h in "${harnesses[@]}"; do
  work="build-fuzz/corpus/$h"
  mkdir -p "$work"
  echo "== $h: ${seconds}s"
  if build-fuzz/bin/"$h" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$h-" \
      "$work" "tests/fuzz/corpus/$h" >"build-fuzz/$h.log" 2>&1; then
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|Done [0-9]+ runs" "build-fuzz/$h.log" || true
  else
    echo "!! $h found a problem; the log is build-fuzz/$h.log:"
    grep -E "ERROR|SUMMARY|fuzz check failed|Test unit written" "build-fuzz/$h.log" | head -20 || true
    failed+=("$h")
  fi
done

echo "fuzzing: $((${#harnesses[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}"
  exit 1
fi
