#!/usr/bin/env bash
# Fuzzes the playlist-file reader: builds the libFuzzer target natively with
# clang (address and undefined-behaviour sanitizers), seeds it with playlists
# written by the saver's own writer and runs it for SECONDS (default 60).
# Prints the executions done; exits non-zero on a finding (crash, hang,
# leak, sanitizer report, broken round trip), kept under build/fuzz/findings.
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
  -DPELOR_FUZZ=ON "-DCMAKE_CXX_FLAGS=-g -O1 -fno-sanitize-recover=all" >"$OUT/configure.log" 2>&1 \
  || { tail -n 20 "$OUT/configure.log"; echo "fuzz: configuring the tree failed"; exit 2; }
cmake --build "$TREE" -j "${JOBS:-$(nproc)}" --target pelor_playlist_fuzz pelor_write_seeds \
  >"$OUT/build.log" 2>&1 \
  || { grep -E 'error|Error' "$OUT/build.log" | head -n 20; echo "fuzz: the targets did not build"; exit 2; }
"$TREE/bin/pelor_write_seeds" "$OUT/seeds" || { echo "fuzz: writing the seeds failed"; exit 2; }
# Inputs that once went wrong stay in the seeds.
cp "$ROOT"/tests/fuzz/regressions/* "$OUT/seeds/" 2>/dev/null || true

LOG="$OUT/fuzz.log"
before=$(ls "$OUT/findings" | wc -l)
"$TREE/bin/pelor_playlist_fuzz" -max_total_time="$RUN_SECONDS" -timeout=10 -max_len=16384 \
  -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$OUT/findings/" \
  "$OUT/corpus" "$OUT/seeds" >"$LOG" 2>&1
status=$?
runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$LOG" | grep -oE '[0-9]+$' | tail -n 1)
found=$(( $(ls "$OUT/findings" | wc -l) - before ))
echo "fuzz: ${runs:-0} executions in $RUN_SECONDS s, $found findings (log: $LOG)"
if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
  grep -E 'ERROR|SUMMARY|Test unit written' "$LOG" | head -n 20
  exit 1
fi
