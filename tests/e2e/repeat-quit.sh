#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Presses the game window's quit button while a sound plays, N times in a
# row on each program (the Windows one under Wine when it is built), each
# time from a fresh start; every end must have status 0:
#   tests/e2e/repeat-quit.sh [BUILD [N]]      (defaults: build 50)
set -euo pipefail
build=${1:-build}
SORUBERIA_E2E_REPEAT=${2:-50} exec "$build/tests/e2e/soruberia_e2e_tests" \
  --gtest_filter='*QuitWhileASoundPlays*'
