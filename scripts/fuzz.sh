#!/usr/bin/env bash
# Fuzzes the playlist-file reader and the settings loader (and the QuickTime
# library's atom walk and frame copies, a sixth of SECONDS more each): builds the
# libFuzzer targets natively with clang (address and undefined-behaviour
# sanitizers), seeds the reader with playlists written by the saver's own
# writer and runs the first two for SECONDS in all (default 60; two thirds for the
# reader). Prints each target's executions and rate; exits non-zero on a
# finding (crash, hang, leak, sanitizer report, broken round trip), kept
# under build/fuzz/findings.
#   bash scripts/fuzz.sh [SECONDS]
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
RUN_SECONDS=${1:-60}
BUILD=${PELOR_BUILD:-$ROOT/build}
OUT="$BUILD/fuzz"
mkdir -p "$OUT/corpus" "$OUT/seeds" "$OUT/findings"

# The targets come from the project's own CMake files (tests/fuzz), in a
# clang tree of their own.
TREE="$OUT/tree"
cmake -S "$ROOT" -B "$TREE" -DCMAKE_BUILD_TYPE= -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPELOR_FUZZ=ON "-DCMAKE_CXX_FLAGS=-g -O2 -fno-sanitize-recover=all" >"$OUT/configure.log" 2>&1 \
  || { tail -n 20 "$OUT/configure.log"; echo "fuzz: configuring the tree failed"; exit 2; }
cmake --build "$TREE" -j "${JOBS:-$(nproc)}" --target pelor_playlist_fuzz pelor_settings_fuzz pelor_write_seeds \
  pelor_movie_atoms_fuzz pelor_frame_copy_fuzz \
  >"$OUT/build.log" 2>&1 \
  || { grep -E 'error|Error' "$OUT/build.log" | head -n 20; echo "fuzz: the targets did not build"; exit 2; }
"$TREE/bin/pelor_write_seeds" "$OUT/seeds" || { echo "fuzz: writing the seeds failed"; exit 2; }
# Inputs that once went wrong stay in the seeds.
cp "$ROOT"/tests/fuzz/regressions/* "$OUT/seeds/" 2>/dev/null || true

# fuzz_one TARGET SECONDS CORPUS...: runs one target; prints its rate.
fuzz_one() {
  local target=$1 seconds=$2; shift 2
  local log="$OUT/$target.log" before found status runs
  before=$(ls "$OUT/findings" | wc -l)
  local TIMEFORMAT='%U %S' cpu
  # A freed block stays poisoned until 4 MB of later frees have passed it,
  # far more than one input's reading frees; the default 256 MB makes every
  # allocation a fresh page and costs the run a third of its speed.
  cpu=$( { time ASAN_OPTIONS="quarantine_size_mb=4${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    "$TREE/bin/$target" -max_total_time="$seconds" -timeout=10 -max_len=16384 \
    -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$OUT/findings/" "$@" >"$log" 2>&1; \
    echo "status $?" >>"$log"; } 2>&1 )
  status=$(sed -n 's/^status //p' "$log" | tail -n 1)
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -n 1)
  found=$(( $(ls "$OUT/findings" | wc -l) - before ))
  # The rate per second of processor time too: on a busy machine the
  # seconds of the clock are shared with others.
  local per_cpu
  per_cpu=$(awk -v r="${runs:-0}" -v c="$cpu" 'BEGIN { split(c, t, " "); s = t[1] + t[2]; if (s > 0) printf "%d", r / s; else print 0 }')
  echo "fuzz: $target: ${runs:-0} executions in $seconds s ($(( ${runs:-0} / seconds )) a second, $per_cpu a second of processor time), $found findings (log: $log)"
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 20
    return 1
  fi
}

# merge_corpus TARGET CORPUS SEEDS: merges the kept corpus down to the
# inputs that reach something the seeds and the smaller inputs do not, so
# that it does not grow from run to run with inputs that only slow the next
# run's start and rate. The old corpus stays when the merge fails.
merge_corpus() {
  local target=$1 corpus=$2 seeds=$3 merged="$OUT/merged" before seed
  before=$(ls "$corpus" | wc -l)
  rm -rf "$merged"; mkdir -p "$merged"
  cp "$seeds"/* "$merged/" 2>/dev/null
  if ASAN_OPTIONS="quarantine_size_mb=4${ASAN_OPTIONS:+:$ASAN_OPTIONS}" "$TREE/bin/$target" -merge=1 \
    -timeout=10 -max_len=16384 -rss_limit_mb=1024 "$merged" "$corpus" >"$OUT/$target.merge.log" 2>&1; then
    for seed in "$seeds"/*; do rm -f "$merged/$(basename "$seed")"; done
    rm -rf "$corpus"; mv "$merged" "$corpus"
    echo "fuzz: $target: the kept corpus merged from $before to $(ls "$corpus" | wc -l) inputs"
  else
    rm -rf "$merged"
    echo "fuzz: $target: the kept corpus could not be merged (log: $OUT/$target.merge.log)"
  fi
}

# Two thirds of the time for the playlist reader, the rest for the loader.
READER_SECONDS=$(( RUN_SECONDS * 2 / 3 )); [ "$READER_SECONDS" -ge 1 ] || READER_SECONDS=1
LOADER_SECONDS=$(( RUN_SECONDS - READER_SECONDS )); [ "$LOADER_SECONDS" -ge 1 ] || LOADER_SECONDS=1
mkdir -p "$OUT/settings-corpus"
result=0
# The reader's cost grows with the records an input holds, and a kept
# corpus is made of the inputs that reach the most: -shrink replaces each
# with the smallest input found that reaches the same, which keeps a run
# from a kept corpus at the rate of one from the seeds.
fuzz_one pelor_playlist_fuzz "$READER_SECONDS" -shrink=1 "$OUT/corpus" "$OUT/seeds" || result=1
merge_corpus pelor_playlist_fuzz "$OUT/corpus" "$OUT/seeds"
fuzz_one pelor_settings_fuzz "$LOADER_SECONDS" "$OUT/settings-corpus" || result=1
# The QuickTime library's atom walk and frame copies: a sixth of SECONDS
# each, on top of the two above.
MOVIE_SECONDS=$(( RUN_SECONDS / 6 )); [ "$MOVIE_SECONDS" -ge 1 ] || MOVIE_SECONDS=1
mkdir -p "$OUT/atoms-corpus" "$OUT/frames-corpus"
fuzz_one pelor_movie_atoms_fuzz "$MOVIE_SECONDS" "$OUT/atoms-corpus" || result=1
fuzz_one pelor_frame_copy_fuzz "$MOVIE_SECONDS" "$OUT/frames-corpus" || result=1
exit "$result"
