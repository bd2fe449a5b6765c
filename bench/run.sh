#!/bin/sh

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs every benchmark of a build folder configured with -DSORUBERIA_BENCH=ON:
#   bench/run.sh BUILD [IDLE_SECONDS]
# The engine benchmarks run offscreen; start-up and idle CPU run on an Xvfb
# display of their own with a private PulseAudio null sink, so that the game
# opens its sound device as on a desktop.
set -eu
build=${1:?build folder}
idle=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
sandbox="$here/../tests/platform/pulse-sandbox.sh"

# One private folder: Qt's runtime folder, and the sound server's.
work=$(mktemp -d "${TMPDIR:-/tmp}/soruberia-bench-XXXXXX")
trap 'sh "$sandbox" stop "$work/pulse"; rm -rf "$work"' EXIT INT TERM
export XDG_RUNTIME_DIR="$work"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'),"\
     "Debian $(cat /etc/debian_version), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# Medians of five runs: the machine may be shared.
"$build/bench/soruberia-engine-bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.5 2>&1 |
    grep -v -e '_mean' -e '_stddev' -e '_cv'

sh "$sandbox" start "$work/pulse" $$
PULSE_SERVER="unix:$work/pulse/native" ALSOFT_DRIVERS=pulse \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    "$build/bench/soruberia-startup-bench" --idle "$idle"

# The Windows builds of bench/windows.mk, when `make bench` made them.
if [ -n "${SORUBERIA_BENCH_WINDOWS:-}" ]; then
    # shellcheck disable=SC2086
    sh "$here/windows/run.sh" "$build" $SORUBERIA_BENCH_WINDOWS
fi

# The browser program's site of `make web`, when `make bench` made it.
if [ -n "${SORUBERIA_BENCH_WEB:-}" ]; then
    sh "$here/web/run.sh" "$SORUBERIA_BENCH_WEB"
fi
