#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs a command on an Xvfb of its own: windows need an X server under Wine.
# The command gets a Wine prefix of its own too: the desktop of a wineserver
# started without a display, as the run's shared one is, shows no windows.
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-xvfb.XXXXXX")
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$display" WINEPREFIX="$work/prefix" "$@"
