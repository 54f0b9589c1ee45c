#!/usr/bin/env bash
# Prints every C and C++ source of the project (ours, not the build trees), one path a line,
# relative to the root. Used by the format and layer checks.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c' |
    while read -r f; do [ -f "$f" ] && echo "$f"; done
else
  find platform engine src tests bench tools -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) \
    -not -path '*/corpus/*' | sort
fi
