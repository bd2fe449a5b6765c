#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The soruberia authors
#
# SPDX-License-Identifier: MIT

# Every workflow of .github/workflows/ held to GitHub's workflow schema by
# action-validator, whose schema is inside its own module (no network);
# then a copy of pages.yml with a misspelt key, which it has to refuse, so a
# validator that passes everything cannot pass here.
#   check-workflows.sh <node> <repository>
set -euo pipefail
node=$1
repo=$2
validator="$(cd "$(dirname "$0")" && pwd)/node_modules/@action-validator/cli/cli.mjs"
if [ ! -f "$validator" ]; then
  echo "action-validator is not installed: scripts/install-deps.sh test" >&2
  exit 1
fi

shopt -s nullglob
workflows=("$repo"/.github/workflows/*.yml "$repo"/.github/workflows/*.yaml)
if [ ${#workflows[@]} -eq 0 ]; then
  echo "no workflow in $repo/.github/workflows" >&2
  exit 1
fi
status=0
for workflow in "${workflows[@]}"; do
  if "$node" "$validator" "$workflow"; then
    echo "valid: ${workflow#"$repo"/}"
  else
    echo "INVALID: ${workflow#"$repo"/}"
    status=1
  fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sed 's/^    runs-on:/    run-on:/' "$repo/.github/workflows/pages.yml" >"$tmp/pages.yml"
if cmp -s "$repo/.github/workflows/pages.yml" "$tmp/pages.yml"; then
  echo "pages.yml has no job's runs-on: to misspell" >&2
  exit 1
fi
if "$node" "$validator" "$tmp/pages.yml" >"$tmp/out" 2>&1; then
  echo "a copy of pages.yml with run-on: was taken as valid"
  status=1
elif ! grep -q "'run-on'" "$tmp/out"; then
  echo "a copy of pages.yml with run-on: was refused, but not for that:"
  cat "$tmp/out"
  status=1
else
  echo "refused, as it should be: pages.yml with run-on:"
fi
exit $status
