#!/usr/bin/env bash
# Walks the real game through its screens (the front end, the pause
# screen, the shop, the game-over screen with a name typed, the table) in a virtual display, capturing
# each one, and puts the captures on one contact sheet.
#
#   tools/screens/contact_sheet.sh [GAME] [OUTPUT_PNG]
#
# Needs xvfb, xdotool and imagemagick (apt-get install -y xvfb xdotool
# imagemagick). Defaults: build/bin/keelhaven, docs/screens-contact-sheet.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
game=$(realpath "${1:-$root/build/bin/keelhaven}")
out=$(realpath -m "${2:-$root/docs/screens-contact-sheet.png}")

if [ -z "${KEELHAVEN_SHEET_INSIDE_X:-}" ]; then
    export KEELHAVEN_SHEET_INSIDE_X=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$game" "$out"
fi

work=$(mktemp -d)
export KEELHAVEN_SAVE_DIR="$work/saves"  # a fresh game, whatever this machine has saved
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
"$game" 2>"$work/stderr" &
pid=$!
for _ in $(seq 50); do
    window=$(xdotool search --name Keelhaven 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the game window did not open" >&2; cat "$work/stderr" >&2; exit 1; }

key() { xdotool key --window "$window" "$@"; sleep 0.4; }
shot() { import -window "$window" "$work/$1.png"; }

sleep 2.5; shot 1-logo
key Return; sleep 0.6; shot 2-frontend
key Return; sleep 1.6; shot 3-intro
key Return; key Down; shot 4-title
key Return; key Down; key Right; shot 5-options
key Down; key Return; sleep 0.3; key Right; key Return; shot 6-instructions
key Escape; key Down; key Down; key Down; key Return
key Down; key Down; key Down; key Return; sleep 3; shot 7-credits
key Return; key Up; key Up; key Up; key Up; key Return; sleep 1
key p; key Down; key Return; shot 8-pause
key Up; key Return; key grave
xdotool type --window "$window" --delay 40 UPGRADESCREEN
key Return; key grave; key Up; shot 9-shop
key grave
xdotool type --window "$window" --delay 40 GAMEOVER
key Return; key grave
xdotool type --window "$window" --delay 80 KHV; sleep 0.3; shot 10-gameover
key Return; shot 11-highscore
kill "$pid" 2>/dev/null || true

montage "$work"/[1-9]-*.png "$work"/1[0-9]-*.png -tile 4x3 -geometry 400x300+6+6 -background '#202028' \
    -fill white -pointsize 14 -set label '%t' "$out"
echo "wrote $out"
