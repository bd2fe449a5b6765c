#!/bin/sh

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# The Windows figures of `make bench`:
#   bench/windows/run.sh LINUX_BENCH_BUILD WIN64_BUILD [WIN32_BUILD]
# The size of every executable of the Windows builds, as built and without
# its debugging information (as the zip carries it); then, on an Xvfb
# display of its own and in a fresh Wine prefix, the x86-64 program's
# start-up beside the Windows API floor. A 32-bit program cannot run on
# these machines' kernel, so the i686 build is measured as files only.
set -eu
linux=${1:?Linux bench build folder}
win64=${2:?x86-64 build folder}
win32=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-bench-wine-XXXXXX")
export WINEPREFIX="$work/prefix"
cleanup() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

kib() { echo "$(( ($1 + 512) / 1024 ))"; }

echo
echo "Windows executables: size as built (RelWithDebInfo) and stripped, as in the zip"
printf '  %-8s %-36s %12s %12s\n' "" "" "built KiB" "stripped KiB"
for build in "$win64" ${win32:+"$win32"}; do
    strip=$(sed -n 's/^CMAKE_STRIP:[A-Z]*=//p' "$build/CMakeCache.txt")
    case $strip in
        *x86_64*) arch=x86-64 ;;
        *) arch=i686 ;;
    esac
    for exe in "$build/game/soruberia.exe" "$build/game/soruberia-check.exe" \
               "$build/bench/windows/soruberia-floor.exe"; do
        [ -f "$exe" ] || continue
        "$strip" -o "$work/stripped.exe" "$exe"
        printf '  %-8s %-36s %12s %12s\n' "$arch" "$(basename "$exe")" \
            "$(kib "$(stat -c %s "$exe")")" "$(kib "$(stat -c %s "$work/stripped.exe")")"
    done
    for zip in "$build"/*.zip; do
        [ -f "$zip" ] || continue
        printf '  %-8s %-36s %12s\n' "$arch" "$(basename "$zip")" "$(kib "$(stat -c %s "$zip")")"
    done
done

# On the bench's own display: a persistent wineserver keeps Wine's own
# services (and its desktop, which binds the X driver) running between runs,
# as Windows keeps its own once booted; the prefix is made (and its fonts
# set) before any figure is taken.
mkdir -p "$WINEPREFIX"
runner="$here/../../windows/wine-run.sh"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh -c '
    /usr/lib/wine/wineserver -p &&
    "$1" wineboot >/dev/null 2>&1 &&
    "$2" --runs 31 --wine-run "$1" --game "$3" --floor "$4"' sh "$runner" \
    "$linux/bench/soruberia-wine-startup-bench" \
    "$win64/game/soruberia.exe" "$win64/bench/windows/soruberia-floor.exe"
