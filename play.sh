#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target keelhaven
exec build/bin/keelhaven
