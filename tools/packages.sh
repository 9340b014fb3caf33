#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs to build, run and test.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libfontconfig-dev libfaudio-dev
  fonts-liberation2 fonts-allerta
  googletest libgtest-dev
  python3 python3-pil python3-numpy
  dpkg-dev appstream desktop-file-utils
  clang libclang-rt-14-dev ccache
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
