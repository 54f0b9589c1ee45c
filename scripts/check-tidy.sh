#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over the game's own sources: platform/, engine/ and
# src/. Fails on any finding. Uses a configure-only tree for the compile commands, since the test
# trees build in unity batches that clang-tidy cannot map back to the sources; scripts/check_includes.py
# shares that tree. Parsing each source alone also proves it includes what it uses.
set -euo pipefail
cd "$(dirname "$0")/.."
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
if ! command -v clang-tidy >/dev/null 2>&1 || [ -z "$runner" ]; then
  echo "tidy: skipped (clang-tidy is not installed)"
  exit 0
fi
cmake -S . -B build/check -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DFV_BUILD_TESTS=ON -DFV_BUILD_BENCH=ON >/dev/null
log=$(mktemp)
set +e
"$runner" -p build/check -j "$(nproc)" -quiet "^$PWD/(platform|engine|src)/" >"$log" 2>&1
rc=$?
set -e
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*: (warning|error): ' | sort -u || true)
rm -f "$log"
if [ "$rc" -ne 0 ] || [ -n "$findings" ]; then
  echo "$findings"
  echo "tidy: $(printf '%s' "$findings" | grep -c . || true) finding(s)"
  exit 1
fi
echo "tidy: no findings"
