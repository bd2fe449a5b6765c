#!/bin/sh

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The browser figures of `make bench`:
#   bench/web/run.sh SITE [LOADS] [PRESSES]
# SITE is the folder `make web` lays out (build-web/site). puppeteer-core
# and the static server are the browser tests' (web/tests/browser), their
# packages installed from its lock file on first use; Chromium is Debian's
# (CHROMIUM=path for another).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tests="$here/../../web/tests/browser"
site=${1:?site folder}
if [ ! -d "$tests/node_modules/puppeteer-core" ]; then
    (cd "$tests" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
NODE_PATH="$tests/node_modules" node "$here/bench.js" "$site" "${2:-15}" "${3:-50}"
