#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Checks soruberia-check.exe as a file, without running it: the image kind
# for its processor, a console program, nothing imported but Windows' own
# DLLs.
#   check-checker-exe.sh <exe> <x86_64|i686> <objdump>
set -euo pipefail

exe=$1
arch=$2
objdump=$3

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe")
case $arch in
  x86_64) format=pei-x86-64 magic=020b ;;
  i686) format=pei-i386 magic=010b ;;
  *) echo "unknown processor $arch" >&2; exit 2 ;;
esac
grep -q "file format $format" <<<"$headers" || fail "not a $format image"
grep -Eq "^Magic[[:space:]]+$magic" <<<"$headers" || fail "optional header magic is not $magic"
grep -Eq "^Subsystem[[:space:]]+00000003" <<<"$headers" || fail "not a console program"

allowed='^(kernel32|user32|gdi32|ole32|oleaut32|windowscodecs|winmm|msvcrt|advapi32|shell32|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no DLL imports found"
while read -r dll; do
  [ -z "$dll" ] && continue
  grep -Eq "$allowed" <<<"$(tr 'A-Z' 'a-z' <<<"$dll")" || fail "imports $dll, not one of Windows' own DLLs"
done <<<"$imports"
grep -q 'CommandLineToArgvW' <<<"$headers" || fail "does not read the wide command line"

if [ "$failures" -ne 0 ]; then
  echo "$exe: $failures problem(s)"
  exit 1
fi
echo "$exe: $format console program, imports $(tr '\n' ' ' <<<"$imports")"
