#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Checks soruberia.exe as a file, without running it: the image kind for its
# processor, a windowed program, nothing imported but Windows' own DLLs, and
# the icon and Japanese version record of app/soruberia.rc.
#   check-exe.sh <exe> <x86_64|i686> <objdump>
set -euo pipefail

exe=$1
arch=$2
objdump=$3
windres=${objdump%objdump}windres

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe")

case $arch in
  x86_64) format=pei-x86-64 magic=020b machine='8664' ;;
  i686) format=pei-i386 magic=010b machine='14c' ;;
  *) echo "unknown processor $arch" >&2; exit 2 ;;
esac
grep -q "file format $format" <<<"$headers" || fail "not a $format image"
grep -Eq "^Magic[[:space:]]+$magic" <<<"$headers" || fail "optional header magic is not $magic (PE32 010b, PE32+ 020b)"
"$objdump" -f "$exe" | grep -qi "architecture: .*$( [ "$arch" = i686 ] && echo i386 || echo x86-64)" \
  || fail "architecture is not $arch"
grep -Eq "^Subsystem[[:space:]]+00000002" <<<"$headers" || fail "not a windowed (GUI) program"

# Windows' own DLLs only: no compiler runtime (libstdc++, libgcc, winpthread).
allowed='^(kernel32|user32|gdi32|msimg32|ole32|oleaut32|windowscodecs|winmm|msvcrt|advapi32|shell32|comctl32|shcore|uxtheme|dwmapi|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
[ -n "$imports" ] || fail "no DLL imports found"
while read -r dll; do
  [ -z "$dll" ] && continue
  lower=$(tr 'A-Z' 'a-z' <<<"$dll")
  grep -Eq "$allowed" <<<"$lower" || fail "imports $dll, not one of Windows' own DLLs"
done <<<"$imports"

# The resources, read back as a resource script; windres writes a text that
# is not ASCII as L"\x30bd..." (UTF-16 code units).
rc_text() {
  local units
  units=$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE | od -An -tx1 -v | tr -d ' \n')
  if printf '%s' "$1" | LC_ALL=C grep -q '[^ -~]'; then
    printf 'L"'
    while [ -n "$units" ]; do
      local unit=${units:0:4}
      units=${units:4}
      if [ "${unit:0:2}" = 00 ]; then printf "\\x${unit:2}"; else printf '\\x%s' "${unit#0}"; fi
    done
    printf '"'
  else
    printf '"%s"' "$1"
  fi
}
resources=$("$windres" -i "$exe" -O rc 2>&1) || fail "resources cannot be read: $resources"
grep -Eq '^1 14 /\* RT_GROUP_ICON \*/' <<<"$resources" || fail "no icon 1"
grep -q 'LANGUAGE 17, 1' <<<"$resources" || fail "resources are not in Japanese (1041)"
for pair in FileVersion=1.00 ProductVersion=1.00 ProductName=ソルベリア InternalName=ソルベリア \
            OriginalFilename=ソルベリア.exe; do
  value="VALUE \"${pair%%=*}\", $(rc_text "${pair#*=}")"
  grep -qF "$value" <<<"$resources" || fail "version record lacks $value"
done
grep -q 'FILEVERSION 1, 0, 0, 0' <<<"$resources" || fail "numeric file version is not 1.0.0.0"

if [ "$failures" -ne 0 ]; then
  echo "$exe: $failures problem(s)"
  exit 1
fi
echo "$exe: $format, imports $(tr '\n' ' ' <<<"$imports")"
