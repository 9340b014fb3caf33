#!/usr/bin/env bash
# Walks the real game through its screens in a virtual display, capturing
# each one, and puts the captures on one contact sheet: the front end, a
# level, the pause screen with its question and banner, the shop, the end of
# a run and the table, every notice (a refused load, a failed save, a score
# that could not be written) and a letterboxed window.
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
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$game" "$out"
fi

work=$(mktemp -d)
pid=""
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

# Starts the game with the save folder given and waits for its window.
start() {
    KEELHAVEN_SAVE_DIR="$1" "$game" 2>>"$work/stderr" &
    pid=$!
    window=""
    for _ in $(seq 50); do
        window=$(xdotool search --name Keelhaven 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "the game window did not open" >&2; cat "$work/stderr" >&2; exit 1; }
}
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
key() { xdotool key --window "$window" "$@"; sleep 0.4; }
console() { key grave; xdotool type --window "$window" --delay 40 "$1"; key Return; key grave; }
shot() { import -window "$window" "$work/$1.png"; }

# A fresh game, whatever this machine has saved.
start "$work/saves"
sleep 2.5; shot 01-logo
key Return; sleep 0.6; shot 02-frontend
key Return; sleep 1.6; shot 03-intro
key Return; key Down; shot 04-title
key Down; key Return; shot 05-title-no-saved-game
key Up; key Return; key Down; key Right; shot 06-options
key Down; key Return; sleep 0.3; key Right; key Return; shot 07-instructions
key Escape; key Down; key Down; key Down; key Return
key Down; key Down; key Down; key Return; sleep 3; shot 08-credits
key Return; key Up; key Up; key Up; key Up; key Return; sleep 1.5; shot 09-level1
key p; key Down; key Down; key Return; shot 10-pause-quit-question
key n; key Up; key Return; shot 11-pause-saved
key Up; key Return; console UPGRADESCREEN; key Up; shot 12-shop
console GAMEOVER
xdotool type --window "$window" --delay 80 KHV; sleep 0.3; shot 13-gameover
key Return; shot 14-highscore
# The window made wider than the picture: black bars, the picture 4:3.
xdotool windowsize "$window" 1000 600; sleep 0.8; shot 15-letterbox-1000x600
stop

# A save folder that cannot be made: the failed save and the score that
# could not be written say so.
printf x >"$work/not-a-folder"
start "$work/not-a-folder"
sleep 1.5; key Return; sleep 0.6; key Return; sleep 1.6; key Return
key Return; sleep 1; key p; key Down; key Return; shot 16-pause-not-saved
key Up; key Return; console GAMEOVER; key Return; shot 17-score-not-written
stop

montage "$work"/[0-9][0-9]-*.png -tile 4x5 -geometry 400x300+6+6 -background '#202028' \
    -fill white -pointsize 14 -set label '%t' "$out"
echo "wrote $out"
