#!/usr/bin/env bash
# leaves_nothing.sh BIN_DIR
#
# Runs every test program in BIN_DIR (*_tests but the long soak) whole with
# the system's temporary folder pointed at a fresh, empty one (TMPDIR, which
# std::filesystem::temp_directory_path and mktemp follow) and no save folder
# given, and fails if anything is left in it afterwards, or in the run-time
# data beside the programs. Whether the tests pass is their own CTest
# entries' business (some expect a process of their own): only leftovers
# fail this check.
set -uo pipefail
bin=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/keelhaven-temp-check.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failed=0
programs=()
for program in "$bin"/*_tests; do
  [ -x "$program" ] && [ "$(basename "$program")" != soak_tests ] && programs+=("$program")
done
[ ${#programs[@]} -gt 0 ] || { echo "no test programs in $bin"; exit 1; }
for program in "${programs[@]}"; do
  name=$(basename "$program")
  data=$(dirname "$program")
  mkdir "$scratch/tmp"
  (cd "$data" && find . -path ./Testing -prune -o -print | sort) >"$scratch/data-before"
  if ! TMPDIR="$scratch/tmp" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
      env -u KEELHAVEN_SAVE_DIR "$program" --gtest_brief=1 >"$scratch/$name.log" 2>&1; then
    echo "($name had failures run whole; its own CTest entries judge them)"
  fi
  left=$(cd "$scratch/tmp" && find . -mindepth 1 -maxdepth 2 | sort)
  if [ -n "$left" ]; then
    echo "$name left in the temporary folder:"
    echo "$left"
    failed=1
  fi
  (cd "$data" && find . -path ./Testing -prune -o -print | sort) >"$scratch/data-after"
  if ! diff -q "$scratch/data-before" "$scratch/data-after" >/dev/null; then
    echo "$name changed the folder of run-time data ($data):"
    diff "$scratch/data-before" "$scratch/data-after" | grep '^[<>]' | head -20
    failed=1
  fi
  rm -rf "$scratch/tmp"
done
[ "$failed" -eq 0 ] && echo "nothing left behind by ${#programs[@]} test programs"
exit "$failed"
