#!/usr/bin/env bash
# The real game, headless, on a copy of its data with one picture missing or
# damaged at a time: start-up, a screen and a level each end the game with
# their own fatal message, exit status 1, and standard error naming the file
# and the reason once. And a data folder given relatively starts cleanly.
#
#   missing_pictures_test.sh GAME DATA_DIR
#
set -uo pipefail
game=$(realpath "$1")
data=$(realpath "$2")

scratch=$(mktemp -d "${TMPDIR:-/tmp}/keelhaven-pictures.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/copy" "$scratch/saves"
cp -r "$data/pictures" "$data/levels" "$scratch/copy/"
pictures=$scratch/copy/pictures
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KEELHAVEN_SAVE_DIR="$scratch/saves"

# Runs the game on DATA_DIR, typing KEYS (console commands), for at most 60
# frames; leaves its status in $status and what it said in $said.
play() {
    local dir=$1 keys=${2:-}
    said=$(cd "$scratch" && KEELHAVEN_DATA_DIR="$dir" KEELHAVEN_TYPE_KEYS="$keys" KEELHAVEN_QUIT_AFTER_FRAMES=60 \
        timeout 60 "$game" 2>&1 >/dev/null)
    status=$?
}

# CASE NAME HOW KEYS MESSAGE: picture NAME made unloadable (missing, a folder
# in its place, or cut short), the game played with KEYS, must fail with MESSAGE.
case_of() {
    local name=$1 how=$2 keys=$3 message=$4
    mv "$pictures/$name" "$scratch/aside"
    case $how in
        missing) ;;
        folder) mkdir "$pictures/$name" ;;
        cut) head -c 300 "$scratch/aside" >"$pictures/$name" ;;
    esac
    play "$scratch/copy" "$keys"
    rm -rf "${pictures:?}/$name"
    mv "$scratch/aside" "$pictures/$name"

    local label="$name ($how, keys '$keys')"
    [ "$status" -eq 1 ] || fail "$label: exit status $status, not 1"
    grep -qxF "Error: $message" <<<"$said" || fail "$label: no 'Error: $message' in: $said"
    # The game looks names up ignoring case, and may name a missing one so.
    local named
    named=$(grep -oi "$name" <<<"$said" | wc -l)
    [ "$named" -eq 1 ] || fail "$label: named $named times, not once, in: $said"
    grep -qi "$name cannot be loaded: ..*" <<<"$said" || fail "$label: no reason given in: $said"
    echo "ok: $label"
}

case_of textures4-3.png missing "" "Error initializing game textures"
case_of ostrelgames.png cut "" "Error initializing ostrel texture"
case_of startscreen.jpg missing '`FRONTEND|' "Error initializing frontend texture"
case_of titleUI.png missing '`TITLESCREEN|' "Error initializing start texture"
case_of KeelhavenHighScore.jpg folder '`HIGHSCORE|' "Error initializing high score texture"
case_of ocean.jpg missing '`LEVEL1|' "Error initializing background texture"
case_of HUD.png cut '`LEVEL1|' "Error initializing hud texture"
case_of healthbar.png missing '`LEVEL1|' "Error initializing bar textures"
case_of Whirlpool2.png missing '`LEVEL1|' "Error iniitialising invisible marker texture"
case_of tile_sea.png missing '`LEVEL1|' "Error initializing tile textures"

# The whole copy, named relatively from the folder holding it, and absolutely,
# with a level played: a clean run to the frame limit.
for dir in copy ./copy "$scratch/copy"; do
    play "$dir" '`LEVEL1|'
    [ "$status" -eq 0 ] || fail "data folder '$dir': exit status $status: $said"
    grep -q "Error" <<<"$said" && fail "data folder '$dir' said: $said"
    echo "ok: data folder '$dir'"
done

[ "$failures" -eq 0 ] || { echo "$failures failed" >&2; exit 1; }
