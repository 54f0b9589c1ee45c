#!/usr/bin/env bash
# Runs every benchmark of a build tree once, for its shortest run, and fails when one fails: a
# check that the benchmarks still build and run, not a measurement (nothing here is timed).
# Usage: scripts/bench-smoke.sh <build tree> [parallel runs]. Drawing benchmarks need a display
# (./test.sh runs this under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:?usage: scripts/bench-smoke.sh <build tree> [parallel runs]}
jobs=${2:-$(nproc)}
shopt -s nullglob
benches=("$tree"/bench/bench_*)
if [ ${#benches[@]} -eq 0 ]; then
  echo "bench: no benchmarks in $tree/bench"
  exit 1
fi
# Benchmarks that fix their own length run once (bench/BenchSmoke.h); the big factory warms up
# for a few frames instead of until it has its cars, and measures two.
export FV_BENCH_SMOKE=1 FV_BIG_FRAMES=2 FV_BIG_GAME_FRAMES=20
# Their scratch files get a folder of this run's own.
TMPDIR=$(mktemp -d)
export TMPDIR
out=$TMPDIR/results
mkdir -p "$out"
trap 'rm -rf "$TMPDIR"' EXIT

smoke_one() {
  local bench=$1 out=$2 name start
  name=$(basename "$bench")
  start=$SECONDS
  if "$bench" --benchmark_min_time=0 >"$out/$name.log" 2>&1; then
    echo "-- bench $name: ok ($((SECONDS - start))s)"
    touch "$out/$name.pass"
  else
    echo "-- bench $name: FAILED"
    tail -40 "$out/$name.log"
  fi
}
export -f smoke_one
printf '%s\n' "${benches[@]}" | xargs -P "$jobs" -I{} bash -c 'smoke_one "$@"' _ {} "$out"
passed=("$out"/*.pass)
echo "bench: ${#passed[@]} of ${#benches[@]} benchmarks ran once"
[ ${#passed[@]} -eq ${#benches[@]} ]
