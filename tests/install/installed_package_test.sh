#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a scratch root
# and starts the installed game there, headless, for a few frames: it must
# find its data in share/keelhaven/ beside nothing else and exit cleanly.
#
#   installed_package_test.sh BUILD_DIR CPACK DESKTOP_ID
#
set -euo pipefail
build=$(cd "$1" && pwd)
cpack=$2
id=$3

# Exits 77 (skipped) where the Debian tools are missing, except under CI=true
# (.ci/run), where tools/packages.sh has installed them.
for tool in dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool is missing (packages dpkg, dpkg-dev)"
    [ "${CI:-}" = true ] && exit 1
    exit 77
  fi
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/keelhaven-install.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The package, made as a user would make it but into the scratch folder.
(cd "$build" && "$cpack" -G DEB -B "$scratch/pkg" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; fail "cpack -G DEB"; }
debs=("$scratch"/pkg/keelhaven_*.deb)
[ -f "${debs[0]}" ] || fail "no keelhaven_*.deb made"
deb=${debs[0]}
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0 libfaudio0 libfontconfig1 fonts-allerta; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for f in usr/bin/keelhaven \
         usr/share/keelhaven/pictures/Tiles.txt \
         usr/share/keelhaven/pictures/Audio/Win/wavebank.xwb \
         usr/share/keelhaven/levels/map1.txt \
         "usr/share/applications/$id.desktop" \
         "usr/share/metainfo/$id.metainfo.xml" \
         "usr/share/icons/hicolor/16x16/apps/$id.png" \
         "usr/share/icons/hicolor/256x256/apps/$id.png" \
         usr/share/doc/keelhaven/copyright \
         usr/share/man/man6/keelhaven.6.gz; do
  [ -e "$root/$f" ] || fail "the package lacks /$f"
done
gzip -dc "$root/usr/share/man/man6/keelhaven.6.gz" | grep -q '^\.TH KEELHAVEN 6' ||
  fail "the manual page is not keelhaven(6)"
if [ -e "$root/usr/bin/pictures" ] || [ -e "$root/usr/share/keelhaven/testScratch" ]; then
  fail "stray files in the package"
fi

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "AppStream data"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop entry"
fi

# Plays a few frames of the installed game from an unrelated folder, with
# nothing pointing it at its data, and a home of its own.
play() {
  mkdir -p "$scratch/home" "$scratch/elsewhere"
  (cd "$scratch/elsewhere" &&
    env -u KEELHAVEN_DATA_DIR HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share" \
      KEELHAVEN_SAVE_DIR="$scratch/saves" KEELHAVEN_QUIT_AFTER_FRAMES=60 \
      SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
      timeout 120 "$root/usr/bin/keelhaven")
}

status=0
play >"$scratch/game.log" 2>&1 || status=$?
cat "$scratch/game.log"
[ "$status" -eq 0 ] || fail "the installed game exited with $status"
[ -f "$scratch/saves/settings.ini" ] || fail "the game left no settings.ini in its save folder"

# Without share/keelhaven it must fail: the data there is what it ran on.
mv "$root/usr/share/keelhaven" "$root/usr/share/keelhaven.away"
status=0
play >"$scratch/game.log" 2>&1 || status=$?
[ "$status" -ne 0 ] || fail "the game started without its data; it did not read share/keelhaven"
echo "without its data: exit $status, $(head -n 1 "$scratch/game.log")"
echo "ok"
