#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# soruberia.exe under Wine on an Xvfb of the test's own, run from a copy of
# its folder whose path is not ASCII: with its explanation file missing or
# broken it shows the message box titled "ソルベリア" before any window,
# names the file and the line on stderr and ends with status 1 once the box
# is closed. (Failures at the game's start are played through the windows in
# tests/windows.)
#   fatal-box.sh <game folder> <wine-run.sh>
set -euo pipefail
game=$1
wine_run=$2

work=$(mktemp -d)
xvfb_pid=
trap 'WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
      kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
# A Wine prefix of its own: a prefix whose desktop was started without a
# display, as the other tests start it, shows no windows.
export WINEPREFIX="$work/prefix"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Runs the program from a fresh copy of the game folder after `$1` has
# changed it; `$2` is the status expected, `$3` a text stderr must hold.
run_case() {
  local change=$1 status=$2 expected=$3
  local folder="$work/ソルベリア 試験"
  rm -rf "$folder"
  cp -r "$game" "$folder"
  (cd "$folder" && eval "$change")
  "$wine_run" "$folder/soruberia.exe" 2>"$work/stderr" &
  local pid=$!
  if [ "$status" -ne 0 ]; then
    local box=
    for _ in $(seq 300); do
      box=$(xdotool search --name '^ソルベリア$' 2>/dev/null | head -1) || true
      [ -n "$box" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if [ -z "$box" ]; then
      fail "[$change] no message box titled ソルベリア"
    else
      kill -0 "$pid" 2>/dev/null || fail "[$change] the program ended while its box was up"
      { xdotool windowactivate --sync "$box" key --clearmodifiers Return ||
          xdotool key --window "$box" Return; } >/dev/null 2>&1
    fi
  fi
  local got=0
  wait "$pid" || got=$?
  [ "$got" -eq "$status" ] || fail "[$change] status $got, expected $status; stderr: $(cat "$work/stderr")"
  if [ -n "$expected" ] && ! grep -qF -- "$expected" "$work/stderr"; then
    fail "[$change] stderr lacks '$expected': $(cat "$work/stderr")"
  fi
  if [ -z "$expected" ] && grep -q 'ソルベリア' "$work/stderr"; then
    fail "[$change] unexpected report: $(cat "$work/stderr")"
  fi
}

run_case 'rm 問題/setumei.txt' 1 '\問題\setumei.txt: エラー: ファイルがありません'
run_case 'printf "\\x80\\r\\n" > 問題/setumei.txt' 1 '\問題\setumei.txt:1: エラー: '

[ "$failures" -eq 0 ]
