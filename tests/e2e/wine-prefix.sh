#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Wine prefix the end-to-end tests copy, made once per test run:
#   wine-prefix.sh FOLDER         a fresh prefix in FOLDER, its server ended
#   wine-prefix.sh --remove FOLDER
set -euo pipefail
if [ "$1" = --remove ]; then
  WINEPREFIX=$2 /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$2"
  exit 0
fi
folder=$1
rm -rf "$folder"
mkdir -p "$folder"
export WINEPREFIX=$folder
"$(dirname "$0")/../../windows/wine-run.sh" --prepare
/usr/lib/wine/wineserver -w
