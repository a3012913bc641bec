#!/usr/bin/env bash
# Installs every Debian package Mirtal needs to build, run and test.
# Skips what is already installed, so a second run costs a second.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-pdf-dev qt6-webengine-dev libgl-dev
  libsqlite3-dev
  portaudio19-dev libmpg123-dev
  libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
  libsndfile1-dev libsoundtouch-dev
  libfluidsynth-dev timgm6mb-soundfont
  libtag1-dev
  libcdio-dev libcdio-paranoia-dev
  lame
  fonts-liberation2 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
