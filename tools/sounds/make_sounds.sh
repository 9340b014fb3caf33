#!/bin/sh
# Remakes every game sound and the two sound banks in data/pictures/Audio/Win.
#
#   tools/sounds/make_sounds.sh [PATH_TO_make_banks]
#
# Needs: fluidsynth, fluid-soundfont-gm, python3-numpy (used with
# /usr/bin/python3), and the make_banks tool from this repository's build
# (default: build/bin/make_banks).
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
make_banks=${1:-$root/build/bin/make_banks}
python=/usr/bin/python3
sounds="$root/tools/sounds"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/music" "$work/effects"

for piece in ballad3 keelhavendarktheme endingcredits crystalcavern; do
    "$python" "$sounds/make_music.py" "$root/assets/sounds/music/$piece.txt" "$work/music/$piece.wav"
done
"$python" "$sounds/make_effects.py" "$work/effects"

"$make_banks" "$root/assets/sounds/manifest.txt" "$work" "$root/data/pictures/Audio/Win"
