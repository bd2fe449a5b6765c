#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs a command on an Xvfb of its own: windows need an X server under Wine.
set -euo pipefail
work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-xvfb.XXXXXX")
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 display <&5 || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$display" "$@"
