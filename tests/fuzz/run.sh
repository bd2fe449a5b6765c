#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Runs every reader fuzzer for SECONDS each (default 60) from the committed
# corpus, side by side: each is one process and still gets its whole
# -max_total_time, so the step takes SECONDS rather than three times that.
# Usage: run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
targets=(question_texts answer_key explanation bank_link)
work=$(mktemp -d)
pids=()
# A stopped run takes its fuzzers with it.
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$work"' EXIT
for target in "${targets[@]}"; do
  mkdir -p "$work/$target"
  echo "fuzz_$target: ${seconds}s"
  (cd "$work" && exec "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
      -max_len=4096 -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 \
      "$work/$target" "$here/corpus/$target" > "$work/$target.log" 2>&1) &
  pids+=($!)
done
status=0
passed=0
failed=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz_$target: $(grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$work/$target.log" | tail -n 1 || true)"
    passed=$((passed + 1))
  else
    echo "fuzz_$target failed:"
    tail -n 40 "$work/$target.log"
    failed=$((failed + 1))
    status=1
  fi
done
pids=()
echo "$passed passed, $failed failed"
exit $status
