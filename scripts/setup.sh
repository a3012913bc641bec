#!/usr/bin/env bash
# Installs every Debian package Mirtal needs to build, run and test.
# Once everything is in place it leaves a stamp (the package list and the
# time dpkg last changed), so later runs answer at once without asking the
# package manager; any install or removal of packages makes the check run again.
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

stamp_dir="${XDG_CACHE_HOME:-$HOME/.cache}/mirtal"
stamp="$stamp_dir/setup.stamp"
# What was checked: the list above and the state of dpkg's database.
dpkg_state() { stat -c %Y /var/lib/dpkg/status 2>/dev/null || echo none; }
wanted="${PACKAGES[*]} @ $(dpkg_state)"
if [ -f "$stamp" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$wanted" ]; then
  exit 0
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Written after the install, with dpkg's state as it is now.
mkdir -p "$stamp_dir" 2>/dev/null && echo "${PACKAGES[*]} @ $(dpkg_state)" >"$stamp" 2>/dev/null || true
