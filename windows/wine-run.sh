#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs a Windows program under 64-bit Wine: CTest's cross-compiling
# emulator. Every test case of one run shares one Wine prefix and one
# wineserver, so only the first pays the ~10 s of making the prefix. The
# prefix is $WINEPREFIX when set (`make test-windows` makes a fresh one per
# run), else one per user below $TMPDIR. `wine-run.sh --prepare` only makes
# the prefix.
set -euo pipefail

export WINEPREFIX="${WINEPREFIX:-${TMPDIR:-/tmp}/soruberia-wine-$(id -u)}"
# No prompts for Mono or Gecko, no debug chatter on stderr; sound only
# through PulseAudio (a test that wants sound brings its own server), so that
# ALSA does not complain of a missing card on every start.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winealsa.drv=}"
export WINEDEBUG="${WINEDEBUG:--all}"
wine=/usr/lib/wine/wine64

mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.soruberia-ready" ]; then
    # The lock's descriptor is closed for Wine: the wineserver and services
    # it starts live on and would hold the lock for ever.
    "$wine" wineboot --init >/dev/null 2>&1 9>&-
    # The fonts the windows ask for by name, found as the IPA fonts.
    reg="$WINEPREFIX/fonts.reg"
    {
      printf 'Windows Registry Editor Version 5.00\r\n\r\n'
      printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
      printf '"ＭＳ 明朝"="IPAMincho"\r\n"ＭＳ Ｐ明朝"="IPAPMincho"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
      printf '"MS Mincho"="IPAMincho"\r\n"MS PMincho"="IPAPMincho"\r\n"MS PGothic"="IPAPGothic"\r\n'
      # Wine's dialog font has no Japanese glyphs; a Japanese Windows
      # draws message boxes in a font that has them.
      printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      printf '"Tahoma"="IPAPGothic"\r\n"MS Shell Dlg"="IPAPGothic"\r\n"MS Shell Dlg 2"="IPAPGothic"\r\n'
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
    "$wine" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 9>&-
    touch "$WINEPREFIX/.soruberia-ready"
  fi
) 9>"$WINEPREFIX/.lock"
[ "${1:-}" != --prepare ] || exit 0

# Wine reads a standard input that is a pipe, as CTest gives, and would keep
# the program from ending; the tests take no input.
exec "$wine" "$@" </dev/null
