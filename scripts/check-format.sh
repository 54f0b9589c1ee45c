#!/usr/bin/env bash
# Fails when any source differs from what .clang-format makes of it, and names the files.
# Fix with: scripts/check-format.sh --fix
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(scripts/sources.sh)
if [ "${1:-}" = --fix ]; then
  printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 20 clang-format -i
  exit 0
fi
bad=$(printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 20 clang-format --dry-run 2>&1 |
      sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "Not formatted (run scripts/check-format.sh --fix):"
  echo "$bad" | sed 's/^/  /'
  exit 1
fi
echo "format: ${#files[@]} files clean"
