#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Installs the Debian packages of one set, and only those that are missing,
# so that `make` is quick when everything is there already:
#   scripts/install-deps.sh play   building the program and playing it
#   scripts/install-deps.sh web    building the browser program (emscripten,
#                                  Node)
#   scripts/install-deps.sh web-test  that, and its tests: the browsers, and
#                                  the Node packages of web/tests/browser
#   scripts/install-deps.sh test   all of the above, and what the tests, the
#                                  sanitizer and fuzz runs, the benchmarks and
#                                  the package checks use, with the Node
#                                  packages of tests/workflows
set -euo pipefail

play=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libopenal-dev libsndfile1-dev libgif-dev libx11-dev zlib1g-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
)

# emscripten's linker runs Node; the tests compare with a native build (g++),
# read the zip with Python and build GoogleTest from Debian's sources.
web=(
  cmake ninja-build g++ emscripten nodejs python3 googletest
)

# The page's tests drive Debian's browsers: Chromium and Firefox ESR
# headless, WebKitGTK (MiniBrowser) through its WebDriver on Xvfb; Firefox
# plays to a PulseAudio server of the test's own, recorded with parec.
# zbarimg reads back the QR codes the bank editor shows.
browsers=(
  chromium firefox-esr webkit2gtk-driver xvfb pulseaudio pulseaudio-utils zbar-tools
)

test=(
  "${play[@]}"
  "${web[@]}"
  "${browsers[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libxcb1-dev
  xvfb xauth x11-utils xdotool dbus-x11
  at-spi2-core python3-gi gir1.2-atspi-2.0
  pulseaudio pulseaudio-utils sox
  strace valgrind
  binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine64 zip googletest python3
  appstream desktop-file-utils dpkg-dev lintian reuse
)

case "${1:-}" in
  play) packages=("${play[@]}") ;;
  web) packages=("${web[@]}") ;;
  web-test) packages=("${web[@]}" "${browsers[@]}") ;;
  test) packages=("${test[@]}") ;;
  *) echo "usage: $0 play|web|web-test|test" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Node packages of the tests, exactly as a folder's lock file has them;
# again only when the lock file changed, so that an installed machine needs
# no network.
npm_ci() {
  local folder installed
  folder="$(cd "$(dirname "$0")/.." && pwd)/$1"
  installed="$folder/node_modules/.installed-package-lock.json"
  if ! cmp -s "$folder/package-lock.json" "$installed"; then
    if ! command -v npm >/dev/null; then
      # Debian's own nodejs comes without npm; NodeSource's has it.
      $sudo apt-get install -y -qq --no-install-recommends npm
    fi
    echo "Installing $2 (npm ci)"
    (cd "$folder" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
    cp "$folder/package-lock.json" "$installed"
  fi
}

# The browser tests' (puppeteer-core, which downloads no browser), and the
# workflow check's (action-validator).
case "$1" in
  web-test)
    npm_ci web/tests/browser "the browser tests' Node packages"
    ;;
  test)
    npm_ci web/tests/browser "the browser tests' Node packages"
    npm_ci tests/workflows "the workflow check's Node packages"
    ;;
esac
