#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs every reader fuzzer for SECONDS each (default 60) from the committed
# corpus. Usage: run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in question_texts answer_key explanation; do
  mkdir -p "$work/$target"
  echo "fuzz_$target: ${seconds}s"
  if ! (cd "$work" && "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
          -max_len=4096 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
          "$work/$target" "$here/corpus/$target" > "$work/$target.log" 2>&1); then
    tail -n 40 "$work/$target.log"
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$work/$target.log" | tail -n 1 || true
  fi
done
if [ $status -eq 0 ]; then echo "3 passed, 0 failed"; else echo "fuzzing failed"; fi
exit $status
