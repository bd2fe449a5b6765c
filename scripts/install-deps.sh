#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Installs the Debian packages the build and the tests need, and only those
# that are missing, so that `make` is quick when everything is there already.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libopenal-dev libsndfile1-dev libgif-dev
  libxcb1-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth x11-utils xdotool
  pulseaudio pulseaudio-utils sox
  binutils-mingw-w64-x86-64
  strace libx11-dev
  appstream desktop-file-utils dpkg-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
