#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFV_BUILD_TESTS=OFF -DFV_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target ferrovane
exec build/release/ferrovane "$@"
