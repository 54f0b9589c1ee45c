#!/usr/bin/env bash
# Installs what is missing, builds every test and runs them:
#  1. all tests with AddressSanitizer and UndefinedBehaviorSanitizer,
#  2. the threaded tests again with ThreadSanitizer,
#  3. each fuzz target for a short, bounded time (when clang is there).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
export FERROVANE_HEADLESS=1
export LC_ALL=C.UTF-8
jobs=$(nproc)
root=$PWD
status=0

unity=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=12)

echo "== build: tests with AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFV_SANITIZE=address \
  -DFV_BUILD_BENCH=OFF "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
cmake --build build/asan -j "$jobs"

echo "== build: threaded tests with ThreadSanitizer"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFV_SANITIZE=thread -DFV_THREADED_ONLY=ON \
  -DFV_BUILD_BENCH=OFF "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
cmake --build build/tsan -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/tsan.supp"

run_ctest() {
  local dir=$1
  if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 || status=1
  else
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600 || status=1
  fi
}

echo "== run: ASan/UBSan tests"
run_ctest build/asan
echo "== run: ThreadSanitizer tests"
run_ctest build/tsan

if command -v clang++ >/dev/null 2>&1 && ls tests/fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  echo "== build: fuzz targets (clang, libFuzzer)"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFV_FUZZ=ON \
    -DFV_BUILD_TESTS=OFF -DFV_BUILD_BENCH=OFF -DFV_BUILD_GAME=OFF "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1" >/dev/null
  cmake --build build/fuzz -j "$jobs"
  fuzz_pass=0; fuzz_fail=0
  for f in tests/fuzz/fuzz_*.cpp; do
    n=$(basename "$f" .cpp)
    corpus=tests/fuzz/corpus/${n#fuzz_}
    work=$(mktemp -d)
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
    echo "-- fuzz $n (${FV_FUZZ_SECONDS:-20}s)"
    if build/fuzz/tests/fuzz/$n -max_total_time="${FV_FUZZ_SECONDS:-20}" -max_len=8192 -print_final_stats=0 "$work" >"$work.log" 2>&1; then
      fuzz_pass=$((fuzz_pass+1))
    else
      fuzz_fail=$((fuzz_fail+1)); status=1; tail -50 "$work.log"
    fi
    rm -rf "$work" "$work.log"
  done
  echo "fuzz: $fuzz_pass passed, $fuzz_fail failed"
else
  echo "fuzz: skipped (no clang++ or no fuzz targets)"
fi

exit $status
