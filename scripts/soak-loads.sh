#!/usr/bin/env bash
# Loads a large, busy save in the real game again and again, as a player would: quick loads with
# F3 every 3 to 6 s and, among them, leaves to the main menu with loads from the load dialog. Each
# run starts the game on a virtual display of its own with a fresh home folder, driven by the
# playthrough test's player (tests/app/PlaythroughTest.cpp, "ABusySaveLoadedAgainAndAgain...").
# Not part of ./test.sh: a long run takes an hour or more.
#
#   scripts/soak-loads.sh [options]
#     --tree rel|plain|asan  the build tree to use: rel is an optimised build with line tables for
#                            the cores (build/rel), plain the optimised tree of ./test.sh
#                            (build/plain), asan the AddressSanitizer and UndefinedBehaviorSanitizer
#                            build (build/asan); a missing tree is configured, and the game, the
#                            test player and the save's maker are built in it (default rel)
#     --quick N              quick loads per run (default 100)
#     --leaves M             leaves-and-loads per run (default 20)
#     --runs R               runs one after another, each a fresh game (default 1)
#     --rasterizer MODE      threads of the software GL driver: "threads" (its default), "none"
#                            (LP_NUM_THREADS=0), or "both" to alternate from run to run (default both)
#     --seed S               seed of the first run's pauses and order; each run adds one (default 1)
#     --out DIR              where the logs, pictures and any core dumps go
#                            (default build/soak/<tree>-<date>)
#     --heap-checks          the C library's own heap checks in the game (not asan): every free
#                            and malloc checks the chunks it touches and aborts on damage, and
#                            freed memory is filled with a pattern (libc_malloc_debug,
#                            glibc.malloc.check=3, glibc.malloc.perturb)
#     --valgrind             the game under valgrind's memcheck (not asan; some fifty times
#                            slower: use a few quick loads), which also sees writes into the heap
#                            by code built without the sanitizers (the GL driver, SDL)
#     --jobs J               build jobs (default 4)
#
# The save is made once (build/soak/save) by the tree's bench_route_freezes: the 200 x 200
# factory of 2,000-odd slots run until 9,000 objects are on the conveyors. Core dumps are enabled;
# a core lands in the run's game folder and is kept under --out with the executable beside it.
# At the end a summary gives the loads done, crashes, sanitizer reports and failed runs; the
# script exits non-zero on any of them.
set -uo pipefail
# Read whole before it runs: an edit to this file during a long run does not reach the run.
{
cd "$(dirname "$0")/.."
root=$PWD

tree=rel
quick=100
leaves=20
runs=1
rasterizer=both
seed=1
out=""
jobs=4
heap_checks=0
valgrind=0
while [ $# -gt 0 ]; do
  case $1 in
  --tree) tree=$2 ;;
  --quick) quick=$2 ;;
  --leaves) leaves=$2 ;;
  --runs) runs=$2 ;;
  --rasterizer) rasterizer=$2 ;;
  --seed) seed=$2 ;;
  --out) out=$2 ;;
  --jobs) jobs=$2 ;;
  --heap-checks | --valgrind)
    [ "$1" = --valgrind ] && valgrind=1 || heap_checks=1
    shift
    continue
    ;;
  -h | --help)
    sed -n '2,/^set -uo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    exit 0
    ;;
  *)
    echo "soak: unknown option $1 (see --help)" >&2
    exit 2
    ;;
  esac
  shift 2
done
case $tree in
rel) flags=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-g1) ;;
plain) flags=(-DCMAKE_BUILD_TYPE=Release) ;;
asan) flags=(-DCMAKE_BUILD_TYPE=Debug -DFV_SANITIZE=address "-DCMAKE_CXX_FLAGS=-O1 -g1") ;;
*)
  echo "soak: --tree is rel, plain or asan" >&2
  exit 2
  ;;
esac
if [ "$tree" = asan ] && [ $((heap_checks + valgrind)) -gt 0 ]; then
  echo "soak: --heap-checks and --valgrind need an optimised tree (the sanitizers have a heap of their own)" >&2
  exit 2
fi
case $rasterizer in threads | none | both) ;; *)
  echo "soak: --rasterizer is threads, none or both" >&2
  exit 2
  ;;
esac
build=$root/build/$tree
out=${out:-$root/build/soak/$tree-$(date +%Y%m%d-%H%M%S)}
mkdir -p "$out"
out=$(cd "$out" && pwd)

export LC_ALL=C.UTF-8
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

echo "== soak: building the game, the player and the save's maker in $build"
# Soaks started side by side share the trees and the save: one builds and makes the save at a time.
mkdir -p "$root/build/soak"
exec 9>"$root/build/soak/.lock"
flock 9
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja "${flags[@]}" -DFV_BUILD_BENCH=ON -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=12 >/dev/null || exit 1
fi
cmake --build "$build" -j "$jobs" --target ferrovane test_app bench_route_freezes || exit 1

# One save for every tree: the soaks of both trees load the same file.
save=$root/build/soak/save
if [ ! -f "$save/autosave.xml" ] || [ ! -f "$save/m_big.txt" ]; then
  echo "== soak: making the busy save in $save"
  FERROVANE_HEADLESS=1 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 FV_FREEZE_KEEP_SAVE="$save" \
    FV_FREEZE_LOADS=1 FV_FREEZE_FRAMES=1 \
    "$build/bench/bench_route_freezes" --benchmark_filter=BM_LoadSaveFullOfObjectsInTransit \
    >"$out/save-maker.txt" 2>&1 || {
    echo "soak: the save could not be made (see $out/save-maker.txt)" >&2
    exit 1
  }
fi
exec 9>&-

# Every crash leaves its core: the game's working folder is its own game folder.
ulimit -c unlimited

quick_total=0
leaves_total=0
crashes=0
reports=0
failed=0
for ((run = 1; run <= runs; ++run)); do
  name=run$run
  lp=""
  threads=on
  if [ "$rasterizer" = none ] || { [ "$rasterizer" = both ] && [ $((run % 2)) -eq 0 ]; }; then
    lp=0
    threads=off
  fi
  # A game folder of the run's own: the executable linked in beside the shipped data, with the
  # save's mission added to the missions.
  game=$out/$name/game
  rm -rf "$game"
  mkdir -p "$game/data/missions"
  ln "$build/ferrovane" "$game/ferrovane" 2>/dev/null || cp "$build/ferrovane" "$game/ferrovane"
  for entry in "$root"/data/*; do
    [ "$(basename "$entry")" = missions ] || ln -s "$entry" "$game/data/"
  done
  cp "$root"/data/missions/* "$save/m_big.txt" "$game/data/missions/"

  checks=""
  [ $heap_checks = 1 ] && checks=", the C library's heap checks"
  [ $valgrind = 1 ] && checks=", under memcheck"
  echo "== soak: $name: $quick quick loads, $leaves leaves-and-loads, rasterizer threads $threads$checks"
  # Runs of other soaks at the same time keep their pictures and logs apart.
  artefacts=soak-$(basename "$out")-$name
  start=$SECONDS
  (
    if [ -n "$lp" ]; then export LP_NUM_THREADS=0; else unset LP_NUM_THREADS; fi
    if [ $heap_checks = 1 ]; then
      export LD_PRELOAD=libc_malloc_debug.so.0 GLIBC_TUNABLES=glibc.malloc.check=3:glibc.malloc.perturb=165
    fi
    if [ $valgrind = 1 ]; then
      export FV_SOAK_WRAPPER="valgrind --tool=memcheck --undef-value-errors=no --num-callers=40 --error-exitcode=99 --suppressions=$root/tests/memcheck.supp --log-file=$out/$name/memcheck.%p.txt"
    fi
    FERROVANE_HEADLESS=1 FV_SOAK_QUICK_LOADS=$quick FV_SOAK_LEAVES=$leaves FV_SOAK_SEED=$((seed + run - 1)) \
      FV_SOAK_SAVE="$save/autosave.xml" FV_SOAK_GAME="$game/ferrovane" FV_SOAK_RUN="$artefacts" \
      "$build/tests/test_app" --gtest_filter='Playthrough.ABusySaveLoadedAgainAndAgainKeepsTheGameUp'
  ) >"$out/$name/player.txt" 2>&1
  status=$?
  # The player keeps the game's logs and pictures beside the build; they go with the run.
  rm -rf "$out/$name/artefacts"
  mv "$build/playthrough/$artefacts" "$out/$name/artefacts" 2>/dev/null
  done_line=$(grep "^soak: " "$out/$name/player.txt" | tail -1)
  q=$(echo "$done_line" | sed -n 's/.*; \([0-9]*\) quick loads.*/\1/p')
  l=$(echo "$done_line" | sed -n 's/.* and \([0-9]*\) loads from the dialog.*/\1/p')
  quick_total=$((quick_total + ${q:-0}))
  leaves_total=$((leaves_total + ${l:-0}))
  cores=$(find "$game" -maxdepth 1 -name 'core*' | wc -l)
  if [ "$cores" -gt 0 ]; then
    crashes=$((crashes + 1))
    cp "$build/ferrovane" "$out/$name/ferrovane"
    mv "$game"/core* "$out/$name/"
  fi
  found=$(grep -cE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|WARNING: ThreadSanitizer|^(free|malloc|realloc)\(\): |double free|corrupted" \
    "$out/$name/artefacts/output.txt" 2>/dev/null)
  if [ $valgrind = 1 ]; then
    # Writes and frees that go wrong damage the heap; reads are counted too.
    found=$((${found:-0} + $(cat "$out/$name"/memcheck.*.txt 2>/dev/null |
      grep -cE "Invalid (write|read|free)|Mismatched free|overlap|uninitialised byte\(s\)")))
    grep -h "ERROR SUMMARY" "$out/$name"/memcheck.*.txt 2>/dev/null | sed 's/^/   memcheck: /'
  fi
  reports=$((reports + ${found:-0}))
  if grep -q "the game ended with status" "$out/$name/player.txt"; then
    crashes=$((crashes + (cores > 0 ? 0 : 1)))
  fi
  [ $status -eq 0 ] || failed=$((failed + 1))
  echo "-- soak: $name: ${q:-0} quick loads, ${l:-0} from the dialog in $((SECONDS - start)) s;" \
    "player exit $status, cores $cores, sanitizer or heap reports ${found:-0}"
  [ $status -eq 0 ] || grep -E "Failure|never|ended|error" "$out/$name/player.txt" | head -20
  # A game folder holds nothing else worth keeping; the links go.
  rm -rf "$game"
done

echo
echo "== soak summary ($tree tree, $runs runs, logs in $out)"
echo "quick loads: $quick_total; leaves-and-loads: $leaves_total"
echo "crashes: $crashes; sanitizer or heap reports: $reports; failed runs: $failed"
[ $crashes -eq 0 ] && [ $reports -eq 0 ] && [ $failed -eq 0 ]
exit
}
