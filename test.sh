#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test
# headless. With CI=true warnings are errors.
set -euo pipefail
cd "$(dirname "$0")"
tools/packages.sh
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKEELHAVEN_WERROR="$werror"
cmake --build build -j"$(nproc)"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ctest --test-dir build --output-on-failure -j"$(nproc)"
