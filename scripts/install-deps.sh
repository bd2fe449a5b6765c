#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Installs the Debian packages of one set, and only those that are missing,
# so that `make` is quick when everything is there already:
#   scripts/install-deps.sh play   building the program and playing it
#   scripts/install-deps.sh web    building the browser program and its
#                                  tests (emscripten, Node)
#   scripts/install-deps.sh test   all of the above, and what the tests, the
#                                  sanitizer and fuzz runs, the benchmarks and
#                                  the package checks use
set -euo pipefail

play=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libopenal-dev libsndfile1-dev libgif-dev libx11-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
)

# emscripten's linker runs Node; the tests compare with a native build (g++)
# and read the zip with Python.
web=(
  cmake ninja-build g++ emscripten nodejs python3
)

test=(
  "${play[@]}"
  "${web[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libxcb1-dev
  xvfb xauth x11-utils xdotool dbus-x11 chromium
  at-spi2-core python3-gi gir1.2-atspi-2.0
  pulseaudio pulseaudio-utils sox
  strace valgrind
  binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 zip googletest python3
  appstream desktop-file-utils dpkg-dev lintian reuse
)

case "${1:-}" in
  play) packages=("${play[@]}") ;;
  web) packages=("${web[@]}") ;;
  test) packages=("${test[@]}") ;;
  *) echo "usage: $0 play|web|test" >&2; exit 2 ;;
esac

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
