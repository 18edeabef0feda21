#!/usr/bin/env bash
# Builds everything and runs every test tier: native unit tests, the Win32
# tests under Wine, and the end-to-end checks of the real programs on a
# virtual screen. Ends with one line "N passed, N failed".
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh" || exit 1
source "$ROOT/scripts/lib/build-trees.sh"
source "$ROOT/scripts/lib/wine-env.sh"
LOGS="$BUILD/test-logs"
rm -rf "$LOGS"; mkdir -p "$LOGS"

passed=0
failed=0
tally_gtest() {  # tally_gtest LOG CTEST-STATUS
  local ok bad
  # ctest -V puts "N: " before each line of a test's output.
  ok=$(grep -cE '^([0-9]+: )?\[       OK \] ' "$1")
  bad=$(grep -E '^([0-9]+: )?\[  FAILED  \] [^ ]+ \([0-9]+ ms\)' "$1" | sed 's/^[0-9]*: //' | sort -u | wc -l)
  # A test program that died before reporting still counts as one failure.
  if [ "$2" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
  passed=$((passed + ok)); failed=$((failed + bad))
  echo "   $ok passed, $bad failed"
}

echo "== build"
build_native || { echo "0 passed, 1 failed"; exit 1; }
build_win32 || { echo "0 passed, 1 failed"; exit 1; }
make_dist
ARCH=$(wine_env_arch)
if [ "$ARCH" = win64 ]; then
  echo "   this kernel runs no 32-bit code: the Wine tiers use the 64-bit build of the same sources"
  build_win64 || { echo "0 passed, 1 failed"; exit 1; }
elif /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
  # Where 32-bit code runs, the end-to-end setup check also installs the
  # 32-bit SETUP.EXE on 64-bit Windows with the 64-bit engine's stand-in
  # and box reader; the whole 64-bit tree is built so its sources are
  # known to build on this machine too (about 2 minutes on two cores).
  echo "   the 64-bit tree, for the 64-bit-Windows setup check"
  build_win64 || { echo "0 passed, 1 failed"; exit 1; }
fi
WINTREE="$BUILD/$ARCH"

echo "== imports of the shipped files (what a Windows 95 or NT 4.0 loader finds)"
bash "$ROOT/scripts/check-imports.sh" "$ROOT/dist" >"$LOGS/imports.log" 2>&1
ok=$(grep -c '^PASS ' "$LOGS/imports.log"); bad=$(grep -c '^FAIL ' "$LOGS/imports.log")
passed=$((passed + ok)); failed=$((failed + bad))
echo "   $ok passed, $bad failed"
grep '^FAIL ' "$LOGS/imports.log" | sed 's/^/   /'

echo "== unit tests (native)"
(cd "$BUILD/native" && timeout 600 ctest --timeout 300 -V) >"$LOGS/unit.log" 2>&1
tally_gtest "$LOGS/unit.log" $?

echo "== includes follow the layout's arrows"
if bash "$ROOT/scripts/check-includes.sh" "$ROOT" >"$LOGS/includes.log" 2>&1; then
  passed=$((passed + 1)); echo "   1 passed, 0 failed"
else
  failed=$((failed + 1)); echo "   0 passed, 1 failed"
  sed 's/^/   /' "$LOGS/includes.log"
  echo "FAIL includes: $(tail -n 1 "$LOGS/includes.log")" >>"$LOGS/includes.log"
fi

echo "== fuzz the playlist reader and the settings loader (30 s)"
if timeout 300 bash "$ROOT/scripts/fuzz.sh" 30 >"$LOGS/fuzz.log" 2>&1; then
  passed=$((passed + 1)); echo "   1 passed, 0 failed"
else
  failed=$((failed + 1)); echo "   0 passed, 1 failed"
  echo "FAIL fuzz: $(grep '^fuzz:' "$LOGS/fuzz.log" | tail -n 1)" >>"$LOGS/fuzz.log"
fi

trap wine_env_stop EXIT
echo "== Wine: fresh prefix and virtual screen"
wine_env_start || { echo "$passed passed, $((failed + 1)) failed"; exit 1; }

echo "== Win32 tests under Wine ($ARCH)"
# A 96 KB drive for the Save Playlist that fills it, where mounting is allowed.
small=$(mktemp -d /tmp/pelor-small.XXXXXX)
if mount -t tmpfs -o size=96k tmpfs "$small" 2>/dev/null; then export PELOR_SMALL_DRIVE="Z:${small//\//\\}"; fi
(cd "$WINTREE" && timeout 1200 ctest --timeout 300 -V) >"$LOGS/win.log" 2>&1
tally_gtest "$LOGS/win.log" $?
umount "$small" 2>/dev/null; rmdir "$small"; unset PELOR_SMALL_DRIVE

echo "== end to end ($ARCH)"
PELOR_BIN="$WINTREE/bin" E2E_OUT="$LOGS/e2e" timeout 1800 bash "$ROOT/tests/e2e/run.sh" >"$LOGS/e2e.log" 2>&1
e2e_status=$?
ok=$(grep -c '^PASS ' "$LOGS/e2e.log"); bad=$(grep -c '^FAIL ' "$LOGS/e2e.log")
if [ "$e2e_status" -ne 0 ] && [ "$bad" -eq 0 ]; then bad=1; fi
passed=$((passed + ok)); failed=$((failed + bad))
skipped=$(grep -c '^SKIP ' "$LOGS/e2e.log")
echo "   $ok passed, $bad failed, $skipped skipped"
grep '^SKIP ' "$LOGS/e2e.log" | sed 's/^/   /'

if [ "$failed" -ne 0 ]; then
  echo "== failures (logs in build/test-logs)"
  grep -hE '^([0-9]+: )?\[  FAILED  \] [^ ]+ \([0-9]+ ms\)|^FAIL ' "$LOGS"/*.log | sort -u
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
