#!/usr/bin/env bash
# Installs the Debian packages zav3 needs to build and run, when they are missing.
# Uses apt-get as root or through sudo; otherwise prints the command to run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
  libfluidsynth-dev fluid-soundfont-gm
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth
  clang  # the fuzz preset (libFuzzer)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "zav3: installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update -qq
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
else
  echo "zav3: please install them first:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
