#!/usr/bin/env bash
# Installs what is missing, checks the sources and builds every test and runs them:
#  0. the format of every source, the layer rules of every include, clang-tidy's findings and
#     that every source compiles on its own (the test trees build in unity batches),
#  1. all tests with AddressSanitizer and UndefinedBehaviorSanitizer,
#  2. the threaded tests again with ThreadSanitizer,
#  3. every test binary whole, in one process and in one fixed shuffled order, in the
#     AddressSanitizer tree and in a plain optimised tree, so a test that leans on another's
#     leftovers (or on running alone) fails here,
#  4. every benchmark once, for its shortest run, in the AddressSanitizer tree,
#  5. each fuzz target for a short, bounded time (when clang is there).
# A build that prints a compiler warning fails the run. The summary gives each stage's wall time
# and the CPU time (user + system) it took.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
export FERROVANE_HEADLESS=1
# Tests hear nothing: the sound manager plays on its silent device.
export SDL_AUDIODRIVER=dummy
export LC_ALL=C.UTF-8
jobs=$(nproc)
root=$PWD
status=0

# CPU seconds (user + system) of this script and of every process it has waited for.
ticks=$(getconf CLK_TCK)
cpu_seconds() {
  awk -v hz="$ticks" '{ sub(/^.*\) /, ""); print int(($12 + $13 + $14 + $15) / hz) }' "/proc/$$/stat"
}
stage_times=()
stage_begin() {
  stage_name=$1
  stage_wall=$SECONDS
  stage_cpu=$(cpu_seconds)
  echo "== $stage_name"
}
stage_end() {
  stage_times+=("$(time_line "$stage_name" $((SECONDS - stage_wall)) $(($(cpu_seconds) - stage_cpu)))")
}
time_line() {
  printf '%-38s %3dm%02ds wall %4dm%02ds CPU' "$1" $(($2 / 60)) $(($2 % 60)) $(($3 / 60)) $(($3 % 60))
}
run_start=$SECONDS
run_cpu=$(cpu_seconds)

checks_summary="checks: format, layers, clang-tidy and includes clean"
check_failed() { status=1; checks_summary="checks: FAILED (see above)"; }
stage_begin "check: format and layers"
scripts/check-format.sh || check_failed
scripts/check_layers.py || check_failed
stage_end
stage_begin "check: clang-tidy"
scripts/check-tidy.sh || check_failed
stage_end
stage_begin "check: every source on its own"
scripts/check_includes.py || check_failed
stage_end

unity=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=12)

# Configures and builds one tree; a build that fails stops the run. Every compiler warning fails
# the run too. Ninja prints a command's output under the line that names what it built, so the
# file that warned is removed and the next run compiles it again and shows the warning again.
warnings_summary="warnings: none in any build"
warned_trees=()
build_tree() {
  local dir=$1 log rc count
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  log=$(mktemp)
  set +e
  cmake --build "$dir" -j "$jobs" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  count=$(grep -c "warning:" "$log" || true)
  if [ "$count" -gt 0 ]; then
    status=1
    warned_trees+=("$dir: $count")
    warnings_summary="warnings: FAILED, ${warned_trees[*]} (see above)"
    awk '/^\[[0-9]+\/[0-9]+\] / { out = $NF } /warning:/ && out != "" { print out }' "$log" | sort -u |
      while read -r out; do rm -f "$dir/$out"; done
  fi
  rm -f "$log"
  [ "$rc" -eq 0 ] || exit "$rc"
}

stage_begin "build: AddressSanitizer tree"
build_tree build/asan -DCMAKE_BUILD_TYPE=Debug -DFV_SANITIZE=address \
  -DFV_BUILD_BENCH=ON "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1"
stage_end

stage_begin "build: ThreadSanitizer tree"
build_tree build/tsan -DCMAKE_BUILD_TYPE=Debug -DFV_SANITIZE=thread -DFV_THREADED_ONLY=ON \
  -DFV_BUILD_BENCH=OFF "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1"
stage_end

# Optimised as a release is: the tests run without the sanitizers' padding and timing, and gcc
# gives the warnings that only its optimiser finds.
stage_begin "build: plain optimised tree"
build_tree build/plain -DCMAKE_BUILD_TYPE=Release -DFV_BUILD_BENCH=ON "${unity[@]}"
stage_end

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/tsan.supp"

# Runs one tree's tests; prints ctest's own summary and keeps its last line for the end.
run_ctest() {
  local dir=$1 log
  log=$(mktemp)
  local cmd=(ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 600)
  if command -v xvfb-run >/dev/null 2>&1; then
    cmd=(xvfb-run -a -s "-screen 0 1280x1024x24" "${cmd[@]}")
  fi
  set +e
  "${cmd[@]}" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  set -e
  [ "$rc" -eq 0 ] || status=1
  ctest_summary=$(grep -E "tests passed|No tests were found" "$log" | tail -1)
  [ -n "$ctest_summary" ] || { ctest_summary="ctest did not finish"; status=1; }
  rm -f "$log"
}

stage_begin "run: ASan/UBSan tests"
run_ctest build/asan
asan_summary=$ctest_summary
stage_end
stage_begin "run: ThreadSanitizer tests"
run_ctest build/tsan
tsan_summary=$ctest_summary
stage_end

# ctest starts each test in a process of its own. Here each binary runs whole in one process, in
# a shuffled order that stays the same from run to run, so a failure can be run again as it was:
#   build/<tree>/tests/<binary> --gtest_shuffle --gtest_random_seed=<whole_seed>
whole_seed=4711
whole_one() {
  local bin=$1 out=$2 seed=$3 name start cmd
  name=$(basename "$bin")
  start=$SECONDS
  cmd=(timeout 1800 "$bin" --gtest_shuffle --gtest_random_seed="$seed")
  if command -v xvfb-run >/dev/null 2>&1; then
    cmd=(xvfb-run -a -s "-screen 0 1280x1024x24" "${cmd[@]}")
  fi
  if "${cmd[@]}" >"$out/$name.log" 2>&1; then
    echo "-- whole $name: ok ($((SECONDS - start))s)"
    touch "$out/$name.pass"
  else
    echo "-- whole $name: FAILED ($((SECONDS - start))s)"
    cat "$out/$name.log"
    echo "-- whole $name: FAILED, as above"
  fi
}
export -f whole_one
# Runs every test binary of a tree whole, as many at once as there are cores, the longest first.
run_whole() {
  local dir=$1 out bin bins total passed
  out=$(mktemp -d)
  bins=()
  # The largest first: they hold the most tests.
  while IFS= read -r bin; do
    if [[ $bin == test_* && -f $dir/tests/$bin && -x $dir/tests/$bin ]]; then bins+=("$dir/tests/$bin"); fi
  done < <(ls -S "$dir/tests")
  total=${#bins[@]}
  printf '%s\n' "${bins[@]}" | xargs -P "$jobs" -I{} bash -c 'whole_one "$@"' _ {} "$out" "$whole_seed"
  passed=$(ls "$out"/*.pass 2>/dev/null | wc -l)
  [ "$total" -gt 0 ] && [ "$passed" -eq "$total" ] || status=1
  whole_result="$passed of $total binaries passed"
  rm -rf "$out"
}
stage_begin "run: each test binary whole (ASan)"
run_whole build/asan
whole_asan=$whole_result
stage_end
stage_begin "run: each test binary whole (plain)"
run_whole build/plain
whole_plain=$whole_result
stage_end

stage_begin "run: each benchmark once (ASan)"
bench_log=$(mktemp)
bench_cmd=(scripts/bench-smoke.sh build/asan "$jobs")
if command -v xvfb-run >/dev/null 2>&1; then
  bench_cmd=(xvfb-run -a -s "-screen 0 1280x1024x24" "${bench_cmd[@]}")
fi
set +e
"${bench_cmd[@]}" 2>&1 | tee "$bench_log"
bench_rc=${PIPESTATUS[0]}
set -e
[ "$bench_rc" -eq 0 ] || status=1
bench_summary=$(grep -E "^bench: " "$bench_log" | tail -1)
[ -n "$bench_summary" ] || bench_summary="bench: did not finish"
rm -f "$bench_log"
stage_end

fuzz_summary="fuzz: skipped (no clang++ or no fuzz targets)"
if command -v clang++ >/dev/null 2>&1 && ls tests/fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  stage_begin "build: fuzz targets"
  CC=clang CXX=clang++ build_tree build/fuzz -DCMAKE_BUILD_TYPE=Debug -DFV_FUZZ=ON \
    -DFV_BUILD_TESTS=OFF -DFV_BUILD_BENCH=OFF -DFV_BUILD_GAME=OFF "${unity[@]}" -DCMAKE_CXX_FLAGS="-O1 -g1"
  stage_end
  # Each target runs for a bounded time; as many at once as there are cores.
  fuzz_seconds=${FV_FUZZ_SECONDS:-20}
  fuzz_out=$(mktemp -d)
  stage_begin "run: fuzz targets, ${fuzz_seconds}s each"
  fuzz_one() {
    local n=$1 out=$2 secs=$3 work maxlen longlen first corpus flags ok=1
    work=$(mktemp -d)
    # A target whose seeds are larger names its own limit: "// fuzz-max-len: N".
    maxlen=$(sed -n 's|^// fuzz-max-len: *\([0-9]*\).*|\1|p' "tests/fuzz/$n.cpp" | head -1)
    # A reader of text files a modder edits also gets its inputs up to a size without libFuzzer's
    # slow growth of lengths: "// fuzz-long-inputs: N". Its time is split between the two runs,
    # so the stage takes no longer.
    longlen=$(sed -n 's|^// fuzz-long-inputs: *\([0-9]*\).*|\1|p' "tests/fuzz/$n.cpp" | head -1)
    first=$secs
    [ -n "$longlen" ] && first=$((secs - secs / 2))
    # Seeds are in tests/fuzz/corpus/<name without fuzz_>, or in the folders a target shares with
    # others: "// fuzz-corpus: NAME [NAME...]".
    corpus=$(sed -n 's|^// fuzz-corpus: *\([a-z_ ]*\).*|\1|p' "tests/fuzz/$n.cpp" | head -1)
    # A target may name libFuzzer flags of its own: "// fuzz-flags: -entropic=0".
    read -ra flags <<<"$(sed -n 's|^// fuzz-flags: *\([-=_a-z0-9 ]*\).*|\1|p' "tests/fuzz/$n.cpp" | head -1)"
    for c in ${corpus:-${n#fuzz_}}; do
      if [ -d "tests/fuzz/corpus/$c" ]; then cp -r "tests/fuzz/corpus/$c"/. "$work"/; fi
    done
    build/fuzz/tests/fuzz/$n -max_total_time="$first" -max_len="${maxlen:-8192}" -print_final_stats=0 \
      -timeout=25 -rss_limit_mb=2048 "${flags[@]}" "$work" >"$out/$n.log" 2>&1 || ok=0
    if [ $ok = 1 ] && [ -n "$longlen" ]; then
      build/fuzz/tests/fuzz/$n -max_total_time=$((secs / 2)) -max_len="$longlen" -len_control=0 \
        -print_final_stats=0 -timeout=25 -rss_limit_mb=2048 "${flags[@]}" "$work" >>"$out/$n.log" 2>&1 || ok=0
    fi
    if [ $ok = 1 ]; then
      echo "-- fuzz $n: ok"; touch "$out/$n.pass"
    else
      echo "-- fuzz $n: FAILED"; tail -50 "$out/$n.log"
    fi
    rm -rf "$work"
  }
  export -f fuzz_one
  for f in tests/fuzz/fuzz_*.cpp; do basename "$f" .cpp; done |
    xargs -P "$jobs" -I{} bash -c 'fuzz_one "$@"' _ {} "$fuzz_out" "$fuzz_seconds"
  fuzz_total=$(ls tests/fuzz/fuzz_*.cpp | wc -l)
  fuzz_pass=$(ls "$fuzz_out"/*.pass 2>/dev/null | wc -l)
  [ "$fuzz_pass" -eq "$fuzz_total" ] || status=1
  rm -rf "$fuzz_out"
  fuzz_summary="fuzz: $fuzz_pass of $fuzz_total targets ran ${fuzz_seconds}s without a finding"
  stage_end
fi

echo
echo "== summary"
echo "$checks_summary"
echo "ASan/UBSan: $asan_summary"
echo "ThreadSanitizer: $tsan_summary"
echo "whole binaries, shuffled (seed $whole_seed): ASan $whole_asan; plain $whole_plain"
echo "$warnings_summary"
echo "$bench_summary"
echo "$fuzz_summary"
echo "== time by stage ($jobs cores)"
printf '%s\n' "${stage_times[@]}"
time_line "total" $((SECONDS - run_start)) $(($(cpu_seconds) - run_cpu))
echo
[ $status -eq 0 ] && echo "ALL PASSED" || echo "FAILURES (see above)"
exit $status
