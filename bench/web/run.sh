#!/bin/sh

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The browser figures of `make bench`:
#   bench/web/run.sh SITE [LOADS] [PRESSES]
# SITE is the folder `make web` lays out (build-web/site). puppeteer-core
# comes from this folder's package-lock.json, installed on first use;
# Chromium is Debian's (CHROMIUM=path for another).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
site=${1:?site folder}
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --loglevel=error)
fi
node "$here/bench.js" "$site" "${2:-15}" "${3:-50}"
