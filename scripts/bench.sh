#!/usr/bin/env bash
# Run-mode benchmarks of the real PELOR.SCR under Wine, in one run on a
# virtual 800x600 screen, each printed as a ratio or difference against a
# bare program doing the least the same job needs:
#   start-up  process start to the first black frame, vs a topmost popup
#             painted black (goal: ratio <= 1.3)
#   gap       first frame of one clip to the first frame of the next, vs the
#             bare MCI open, window, where, put and play sequence (goal:
#             no more than 30 ms above it)
#   folder    process start to the first movie with one folder entry of
#             10,000 files, vs the same with one file entry (goal: at most
#             1.5 times it plus a bare FindFirstFileA/FindNextFileA loop
#             over those names)
#   CPU       the saver process while the logo bounces at BounceSpeed 100
#             for 10 s (goal: under 2% of one core)
#   configure PELOR.SCR /c with 1,000 stored items, process start to the
#             settings window shown with its list filled, vs a bare program
#             that reads the same stored values raw and fills the same list
#             box in a dialog with the 1,000 files (goal: ratio <= 1.3)
#   Up        every other of 5,000 entries moved up, vs one refill of the
#             list (goal: ratio <= 2)
#   properties Select All on 10,000 entries, Properties, Mute, OK, vs one
#             refill of the list (goal: ratio <= 2)
#   QuickTime gap   first frame of one .mov to the first frame of the next,
#             vs a bare player of the same files (goal: no more than 30 ms
#             above it); through Media Foundation against a bare source
#             reader (no session, no sinks), through DirectShow (mfplat
#             disabled) against the library's own movie without the saver
#   QuickTime CPU   a 640 x 360 H.264 .mov for 10 s, the saver vs that bare
#             player (goal: ratio <= 1.2), on each path
#   black between movies   the time the screen centre reads black between
#             the last frame of one clip and the first frame of the next
#             (goal: 0 ms), for MCI after MCI, QuickTime after QuickTime on
#             each path and QuickTime after MCI
#   CPU while preparing   a 640 x 360 H.264 .mov for 10 s while the next
#             movie waits prepared, vs the same movie with nothing to
#             prepare (goal: ratio <= 1.2)
# The gaps take the rounds of the saver and of the bare player in turn and
# print each side's spread and the spread of the differences.
# BENCH_PARTS=between runs only the parts about the change between movies;
# BENCH_SAVER names another PELOR.SCR to measure (an earlier build's).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh" >/dev/null
source "$ROOT/scripts/lib/build-trees.sh"
source "$ROOT/scripts/lib/wine-env.sh"
ROUNDS=${BENCH_ROUNDS:-5}

ARCH=$(wine_env_arch)
build_native
"build_$ARCH" PELOR pelor_store_playlist pelor_screen_watch pelor_bare_black pelor_bare_mci \
  pelor_bare_list pelor_bare_find pelor_bench_move pelor_bench_properties QuickTimeQts pelor_bare_qt \
  pelor_bare_reader
BIN="$BUILD/$ARCH/bin"
MEDIA=$(mktemp -d /tmp/pelor-bench.XXXXXX)
unset USE_DISPLAY
SAVER_PID=""
finish() {
  if [ -n "$SAVER_PID" ]; then kill "$SAVER_PID" 2>/dev/null || true; wait "$SAVER_PID" 2>/dev/null || true; fi
  wine_env_stop
  rm -rf "$MEDIA"
}
trap finish EXIT
wine_env_start

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
run() { timeout 300 "$WINE" "$@" 2>/dev/null | tr -d '\r'; }
median() { sed -n 's/^median //p'; }
store() { run "$BIN/pelor_store_playlist.exe" "$@" >/dev/null; }
SCR=$(winpath "${BENCH_SAVER:-$BIN/PELOR.SCR}")
PARTS=${BENCH_PARTS:-all}
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }

# in_turn NAME ROUNDS BARE-PLAYER BARE-ARGS...: the gap of the saver (on the
# stored playlist) and of the bare player, one round of each in turn.
in_turn() {
  local name=$1 rounds=$2 player=$3 i b s
  shift 3
  local bares=() savers=()
  for i in $(seq 1 "$rounds"); do
    b=$(run "$BIN/pelor_screen_watch.exe" gap 1 "$(winpath "$BIN/$player.exe")" "$@" | median)
    s=$(run "$BIN/pelor_screen_watch.exe" gap 1 "$SCR" /s | median)
    bares+=("$b"); savers+=("$s")
  done
  printf '%s %s\n' "${bares[*]}" "${savers[*]}" | awk -v name="$name" -v n="$rounds" '
    function med(a, k,   t, i, j) { for (i = 1; i <= k; i++) t[i] = a[i]
      for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (t[j] < t[i]) { x = t[i]; t[i] = t[j]; t[j] = x }
      return t[int((k + 1) / 2)] }
    function lo(a, k,   m, i) { m = a[1]; for (i = 2; i <= k; i++) if (a[i] < m) m = a[i]; return m }
    function hi(a, k,   m, i) { m = a[1]; for (i = 2; i <= k; i++) if (a[i] > m) m = a[i]; return m }
    { for (i = 1; i <= n; i++) { b[i] = $i; s[i] = $(n + i); d[i] = s[i] - b[i] } }
    END {
      printf "   PELOR.SCR %.1f ms (%.1f to %.1f), bare %s player %.1f ms (%.1f to %.1f), %d rounds in turn\n",
        med(s, n), lo(s, n), hi(s, n), name, med(b, n), lo(b, n), hi(b, n), n
      printf "   %s gap difference %+.1f ms, per round %+.1f to %+.1f ms (goal <= +30 ms)\n", name, med(d, n), lo(d, n), hi(d, n)
    }'
}

# black NAME STORE-ARGS...: the black at the centre between the two clips.
black() {
  local name=$1 out
  shift
  store Titles=0 "$@"
  xdotool mousemove 400 300 2>/dev/null || true
  out=$(run "$BIN/pelor_screen_watch.exe" black 3 8000 "$SCR" /s || true)
  echo "   $name: $(grep -o '[0-9.]* ms black' <<<"$out" | tr '\n' ' ')median $(median <<<"$out") ms black (goal 0 ms)"
}

between_movies() {
  "$BUILD/native/bin/pelor_fixture" avi "$MEDIA/red.avi" 320 180 10 10 0
  "$BUILD/native/bin/pelor_fixture" avi "$MEDIA/green.avi" 320 180 30 10 1
  enc -f lavfi -i color=c=red:s=320x180:r=25:d=2 -c:v mjpeg -q:v 3 "$MEDIA/red.mov"
  enc -f lavfi -i color=c=lime:s=320x180:r=25:d=3 -c:v libx264 -pix_fmt yuv420p "$MEDIA/green.mov"
  enc -f lavfi -i testsrc=s=640x360:r=25:d=16 -c:v libx264 -pix_fmt yuv420p "$MEDIA/pattern.mov"
  local overrides=$WINEDLLOVERRIDES
  echo "== black between movies (3 starts each; the centre read in a tight loop)"
  black "MCI after MCI" File="$MEDIA/red.avi" Scale=4 File="$MEDIA/green.avi" Scale=4 LoopInfinite=1
  black "QuickTime after QuickTime, Media Foundation" File="$MEDIA/red.mov" MCI=PELORQT Scale=4 \
    File="$MEDIA/green.mov" MCI=PELORQT Scale=4 LoopInfinite=1
  black "QuickTime after MCI, Media Foundation" File="$MEDIA/red.avi" Scale=4 \
    File="$MEDIA/green.mov" MCI=PELORQT Scale=4 LoopInfinite=1
  export WINEDLLOVERRIDES="$overrides;mfplat=d"
  black "QuickTime after QuickTime, DirectShow" File="$MEDIA/red.mov" MCI=PELORQT Scale=4 \
    File="$MEDIA/green.mov" MCI=PELORQT Scale=4 LoopInfinite=1
  export WINEDLLOVERRIDES=$overrides

  echo "== first frame to first frame, the saver and the bare players in turn (5 rounds each)"
  store File="$MEDIA/red.avi" File="$MEDIA/green.avi" LoopInfinite=1
  in_turn MCI 5 pelor_bare_mci "$(winpath "$MEDIA/red.avi")" "$(winpath "$MEDIA/green.avi")"
  store File="$MEDIA/red.mov" MCI=PELORQT Scale=1 File="$MEDIA/green.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  in_turn "Media Foundation" 5 pelor_bare_reader "$(winpath "$MEDIA/red.mov")" "$(winpath "$MEDIA/green.mov")"
  export WINEDLLOVERRIDES="$overrides;mfplat=d"
  in_turn DirectShow 5 pelor_bare_qt "$(winpath "$MEDIA/red.mov")" "$(winpath "$MEDIA/green.mov")"
  export WINEDLLOVERRIDES=$overrides

  echo "== CPU while the next movie is prepared: the first 13 s of a 16 s 640 x 360 H.264 .mov, from the start (3 rounds each, median)"
  local alone prepared
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  alone=$(CPU_FROM_START=1 cpu_median 3 "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s)
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1 File="$MEDIA/green.mov" MCI=PELORQT Scale=1
  prepared=$(CPU_FROM_START=1 cpu_median 3 "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s)
  echo "   with the next movie prepared ${prepared} s of CPU, with nothing to prepare ${alone} s"
  awk -v p="$prepared" -v a="$alone" 'BEGIN { if (p > 0 && a > 0) printf "   CPU ratio while preparing %.2f (goal <= 1.20)\n", p / a; else print "   CPU while preparing: not measured" }'
}

if [ "$PARTS" = between ]; then
  BETWEEN_ONLY=1
else
  BETWEEN_ONLY=0
fi
[ "$BETWEEN_ONLY" = 1 ] || {
echo "== start-up ($ROUNDS rounds each, median)"
store clear
bare=$(run "$BIN/pelor_screen_watch.exe" startup "$ROUNDS" "$(winpath "$BIN/pelor_bare_black.exe")" | median)
saver=$(run "$BIN/pelor_screen_watch.exe" startup "$ROUNDS" "$SCR" /s | median)
echo "   PELOR.SCR /s ${saver} ms, bare black popup ${bare} ms"
awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   start-up ratio %.2f (goal <= 1.30)\n", s / b; else print "   start-up: not measured" }'

echo "== gap between movies (3 rounds each, median; both include the 1000 ms first clip)"
"$BUILD/native/bin/pelor_fixture" avi "$MEDIA/red.avi" 320 180 10 10 0
"$BUILD/native/bin/pelor_fixture" avi "$MEDIA/green.avi" 320 180 30 10 1
store File="$MEDIA/red.avi" File="$MEDIA/green.avi" LoopInfinite=1
bare=$(run "$BIN/pelor_screen_watch.exe" gap 3 "$(winpath "$BIN/pelor_bare_mci.exe")" \
  "$(winpath "$MEDIA/red.avi")" "$(winpath "$MEDIA/green.avi")" | median)
saver=$(run "$BIN/pelor_screen_watch.exe" gap 3 "$SCR" /s | median)
echo "   PELOR.SCR ${saver} ms, bare MCI player ${bare} ms"
awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   gap difference %+.1f ms (goal <= +30 ms)\n", s - b; else print "   gap: not measured" }'

echo "== first movie from a folder entry of 10,000 files ($ROUNDS rounds each, median)"
# The red clip sorts first; the other names are empty files that are listed
# and put in the list, but never opened before the first movie.
big="$MEDIA/big"
mkdir -p "$big"
cp "$MEDIA/red.avi" "$big/a-red.avi"
(cd "$big" && seq -f 'clip%05g.avi' 1 9999 | xargs touch)
store File="$big/a-red.avi" LoopInfinite=1
file=$(run "$BIN/pelor_screen_watch.exe" movie "$ROUNDS" "$SCR" /s | median)
store File="$big" LoopInfinite=1
folder=$(run "$BIN/pelor_screen_watch.exe" movie "$ROUNDS" "$SCR" /s | median)
listing=$(run "$BIN/pelor_bare_find.exe" "$(winpath "$big")" "$ROUNDS" | median)
# The folder is read with the screen black already.
black=$(run "$BIN/pelor_screen_watch.exe" startup "$ROUNDS" "$SCR" /s | median)
echo "   folder entry ${folder} ms, file entry ${file} ms, bare listing of the 10,000 names ${listing} ms"
echo "   first black frame with the folder entry ${black} ms"
awk -v d="$folder" -v f="$file" -v l="$listing" 'BEGIN { if (d > 0 && f > 0) printf "   folder ratio %.2f: (folder - listing) / file (goal <= 1.50)\n", (d - l) / f; else print "   folder: not measured" }'

echo "== CPU while the logo bounces at BounceSpeed 100 (10 s)"
store BounceSpeed=100
xdotool mousemove 400 300 2>/dev/null || true
timeout 60 "$WINE" "$BIN/PELOR.SCR" /s >/dev/null 2>&1 &
SAVER_PID=$!
sleep 4
pid=$(pgrep -P "$SAVER_PID" | head -n 1 || true)
if [ -n "$pid" ] && [ -r "/proc/$pid/stat" ]; then
  ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
  t0=$(ticks); sleep 10; t1=$(ticks)
  awk -v d=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" \
    'BEGIN { printf "   saver CPU %.2f%% of one core (goal < 2%%)\n", 100 * d / hz / 10 }'
else
  echo "   CPU: the saver did not run"
fi
xdotool key space 2>/dev/null || true
wait "$SAVER_PID" 2>/dev/null || true
SAVER_PID=""

echo "== configure mode with 1,000 stored items ($ROUNDS rounds each, median)"
items=()
for i in $(seq 0 999); do items+=("File=C:\\m\\clip$i.avi"); done
store "${items[@]}"
# The first start of the settings window scans the media devices; this one
# is not measured.
run "$BIN/pelor_screen_watch.exe" dialog 1 1000 "$SCR" /c >/dev/null || true
bare=$(run "$BIN/pelor_screen_watch.exe" dialog "$ROUNDS" 1000 "$(winpath "$BIN/pelor_bare_list.exe")" | median)
saver=$(run "$BIN/pelor_screen_watch.exe" dialog "$ROUNDS" 1000 "$SCR" /c | median)
echo "   PELOR.SCR /c ${saver} ms, bare raw reads and list dialog ${bare} ms"
awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   configure ratio %.2f (goal <= 1.30)\n", s / b; else print "   configure: not measured" }'

echo "== Up with every other of 5,000 entries selected"
run "$BIN/pelor_bench_move.exe" | sed 's/^/   /'

echo "== Properties on 10,000 entries"
run "$BIN/pelor_bench_properties.exe" | sed 's/^/   /'

}
[ "$BETWEEN_ONLY" = 1 ] || {
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 -c:v mjpeg -q:v 3 "$MEDIA/red.mov"
enc -f lavfi -i color=c=lime:s=320x240:r=25:d=3 -c:v libx264 -pix_fmt yuv420p "$MEDIA/green.mov"
enc -f lavfi -i testsrc=s=640x360:r=25:d=16 -c:v libx264 -pix_fmt yuv420p "$MEDIA/pattern.mov"
}
# cpu_of COMMAND...: CPU seconds the program spends from its 3rd to 13th
# second; with CPU_FROM_START=1 from its start to its 13th second.
cpu_of() {
  xdotool mousemove 400 300 2>/dev/null || true
  timeout 60 "$WINE" "$@" >/dev/null 2>&1 &
  SAVER_PID=$!
  sleep 3
  local pid t0 t1
  pid=$(pgrep -P "$SAVER_PID" | head -n 1 || true)
  if [ -n "$pid" ] && [ -r "/proc/$pid/stat" ]; then
    t0=$(awk '{ print $14 + $15 }' "/proc/$pid/stat"); sleep 10; t1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    [ "${CPU_FROM_START:-0}" = 0 ] || t0=0
    awk -v d=$((t1 - t0)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f\n", d / hz }'
  else
    echo 0
  fi
  xdotool key space 2>/dev/null || true
  sleep 1
  kill "$SAVER_PID" 2>/dev/null || true
  wait "$SAVER_PID" 2>/dev/null || true
  SAVER_PID=""
}

# cpu_median ROUNDS COMMAND...: the median of ROUNDS cpu_of measurements (one
# 10 s sample moves by a third between runs under Wine).
cpu_median() {
  local rounds=$1 i
  shift
  for i in $(seq 1 "$rounds"); do cpu_of "$@"; done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# qt_bench NAME BARE: the QuickTime CPU on the path the library takes with
# the DLL overrides in force, against the bare player BARE (the QuickTime
# gaps, in turn with the bare players, are measured in between_movies).
qt_bench() {
  local name=$1 player=$2 bare saver
  echo "== QuickTime CPU, $name: a 640 x 360 H.264 .mov for 10 s (3 rounds each, median)"
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  saver=$(cpu_median 3 "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s)
  bare=$(cpu_median 3 "$BIN/$player.exe" "$(winpath "$MEDIA/pattern.mov")")
  echo "   PELOR.SCR ${saver} s of CPU, bare $name player ${bare} s"
  awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   QuickTime CPU ratio %.2f (goal <= 1.20)\n", s / b; else print "   QuickTime CPU: not measured" }'
}
if [ "$BETWEEN_ONLY" = 0 ]; then
  qt_bench "Media Foundation" pelor_bare_reader
  overrides=$WINEDLLOVERRIDES
  export WINEDLLOVERRIDES="$overrides;mfplat=d"
  qt_bench DirectShow pelor_bare_qt
  export WINEDLLOVERRIDES=$overrides
fi
between_movies
