#!/usr/bin/env bash
# Run-mode benchmarks of the real PELOR.SCR under Wine, in one run on a
# virtual 800x600 screen, each printed as a ratio or difference against a
# bare program doing the least the same job needs:
#   start-up  process start to the first black frame on every monitor, vs
#             a topmost popup painted black, the two taken in turn after a
#             warm-up round of each (goal: ratio <= 1.3)
#   gap       first frame of one clip to the first frame of the next, vs the
#             bare MCI open, window, where, put and play sequence (goal:
#             no more than 30 ms above it)
#   folder    process start to the first movie with one folder entry of
#             10,000 files, vs the same with one file entry (goal: at most
#             1.5 times it plus a bare FindFirstFileA/FindNextFileA loop
#             over those names)
#   CPU       the saver process while the logo bounces at BounceSpeed 100,
#             three samples of 10 s read in nanoseconds (goal: under 2% of
#             one core)
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
# Two parts run only when named, on a two-monitor display of their own
# (Xorg's dummy driver, scripts/lib/xorg-dummy.sh; needs root):
#   monitors  the start-up as above, black on both monitors;
#             "Monitors" 1 with two 640 x 360 movies, CPU vs "Monitors" 0
#             playing one (goal: ratio <= 2.1); "Monitors" 2, the first
#             frames of each item on the two monitors (goal: within 40 ms)
#   soak      "Monitors" 1 with the two movies for BENCH_SOAK_MINUTES (10),
#             the working set of the first minute vs the last (goal: within
#             5%)
# BENCH_PARTS names the parts to run, among startup gap folder cpu configure
# up properties quicktime between monitors soak (default: all but the last
# two); BENCH_SAVER names another PELOR.SCR to measure (an earlier build's);
# BENCH_STARTUP_ROUNDS (25) the start-up's rounds of each.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh" >/dev/null
source "$ROOT/scripts/lib/build-trees.sh"
source "$ROOT/scripts/lib/wine-env.sh"
ROUNDS=${BENCH_ROUNDS:-5}
PARTS=${BENCH_PARTS:-all}
# want PART: true when PART is to run.
want() {
  case " ${PARTS//,/ } " in
    *" $1 "*) return 0 ;;
    *" all "*) [ "$1" != monitors ] && [ "$1" != soak ] ;;
    *) return 1 ;;
  esac
}

ARCH=$(wine_env_arch)
build_tree native "" pelor_fixture
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
  if declare -F xorg_dummy_stop >/dev/null; then xorg_dummy_stop; fi
  rm -rf "$MEDIA"
}
trap finish EXIT
wine_env_start

winpath() { local p=${1//\//\\}; echo "Z:$p"; }
run() { timeout 300 "$WINE" "$@" 2>/dev/null | tr -d '\r'; }
median() { sed -n 's/^median //p'; }
store() { run "$BIN/pelor_store_playlist.exe" "$@" >/dev/null; }
SCR=$(winpath "${BENCH_SAVER:-$BIN/PELOR.SCR}")
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

# cpu_of COMMAND...: CPU seconds the program spends from its 3rd to 13th
# second; with CPU_FROM_START=1 from its start to its 13th second. With
# CPU_CHECK set, that command runs after the sample, its output in
# $MEDIA/lit.
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
    [ -z "${CPU_CHECK:-}" ] || "$CPU_CHECK" >"$MEDIA/lit"
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
# The fixture clips: red (1 s) and green (3 s), 320 x 180, and a 16 s
# 640 x 360 H.264 pattern.
clips() {
  [ -f "$MEDIA/green.avi" ] && return 0
  "$BUILD/native/bin/pelor_fixture" avi "$MEDIA/red.avi" 320 180 10 10 0
  "$BUILD/native/bin/pelor_fixture" avi "$MEDIA/green.avi" 320 180 30 10 1
}
pattern() {
  [ -f "$MEDIA/pattern.mov" ] || enc -f lavfi -i testsrc=s=640x360:r=25:d=16 -c:v libx264 -pix_fmt yuv420p "$MEDIA/pattern.mov"
}

# spread_words UNIT: a "NAME median low-quartile high-quartile least most"
# line of pelor_screen_watch in words.
spread_words() {
  awk -v unit="$1" '{ printf "%.2f%s (quartiles %.2f to %.2f, range %.2f to %.2f)\n", $2, unit, $3, $4, $5, $6 }'
}

startup_part() {
  local rounds=${BENCH_STARTUP_ROUNDS:-25} out
  echo "== start-up, PELOR.SCR /s and the bare black popup in turn ($rounds rounds each after a warm-up round of each)"
  store clear
  out=$(run "$BIN/pelor_screen_watch.exe" startup "$rounds" "$(winpath "$BIN/pelor_bare_black.exe")" -- "$SCR" /s || true)
  if ! grep -q '^ratio [0-9]' <<<"$out"; then
    echo "   start-up: not measured ($(grep -m1 'nothing' <<<"$out" || echo 'no output'))"
    return
  fi
  echo "   PELOR.SCR /s $(grep '^second ' <<<"$out" | spread_words ' ms')"
  echo "   bare black popup $(grep '^first ' <<<"$out" | spread_words ' ms')"
  echo "   start-up ratio, round by round: $(grep '^ratio ' <<<"$out" | spread_words '')"
  # A start is slowed by whatever else the machine does, never sped up: the
  # lower quartiles are the steadier figure of a program's own cost.
  awk '$1 == "first" { m1 = $2; q1 = $3 } $1 == "second" { m2 = $2; q2 = $3 } END {
    printf "   start-up ratio of the medians %.2f, of the lower quartiles %.2f (goal <= 1.30)\n", m2 / m1, q2 / q1 }' <<<"$out"
}

gap_part() {
  echo "== gap between movies (3 rounds each, median; both include the 1000 ms first clip)"
  clips
  store File="$MEDIA/red.avi" File="$MEDIA/green.avi" LoopInfinite=1
  bare=$(run "$BIN/pelor_screen_watch.exe" gap 3 "$(winpath "$BIN/pelor_bare_mci.exe")" \
    "$(winpath "$MEDIA/red.avi")" "$(winpath "$MEDIA/green.avi")" | median)
  saver=$(run "$BIN/pelor_screen_watch.exe" gap 3 "$SCR" /s | median)
  echo "   PELOR.SCR ${saver} ms, bare MCI player ${bare} ms"
  awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   gap difference %+.1f ms (goal <= +30 ms)\n", s - b; else print "   gap: not measured" }'
}

folder_part() {
  echo "== first movie from a folder entry of 10,000 files ($ROUNDS rounds each, median)"
  clips
  # The red clip sorts first; the other names are empty files that are
  # listed and put in the list, but never opened before the first movie.
  local big="$MEDIA/big" file folder listing black
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
}

# cpu_ns PID: the CPU time of the process's threads so far, in nanoseconds
# (the scheduler's own count, where /proc/PID/stat counts 10 ms ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d\n", t }'; }

logo_cpu_part() {
  local samples=${BENCH_CPU_SAMPLES:-3} seconds=10 pid i
  echo "== CPU while the logo bounces at BounceSpeed 100 ($samples samples of $seconds s)"
  store BounceSpeed=100
  xdotool mousemove 400 300 2>/dev/null || true
  timeout $((samples * seconds + 60)) "$WINE" "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s >/dev/null 2>&1 &
  SAVER_PID=$!
  sleep 4
  pid=$(pgrep -P "$SAVER_PID" | head -n 1 || true)
  if [ -n "$pid" ] && [ -r "/proc/$pid/stat" ]; then
    local t0 c0 w0 c1 w1 t1
    t0=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    w0=$(date +%s%N)
    for i in $(seq 1 "$samples"); do
      c0=$(cpu_ns "$pid"); w1=$(date +%s%N)
      sleep "$seconds"
      c1=$(cpu_ns "$pid"); echo "$((c1 - c0)) $(($(date +%s%N) - w1))"
    done >"$MEDIA/cpu"
    t1=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    echo "   saver CPU per sample:$(awk '{ printf " %.2f%%", 100 * $1 / $2 }' "$MEDIA/cpu")"
    awk '{ print 100 * $1 / $2 }' "$MEDIA/cpu" | sort -n | awk '{ p[NR] = $1 } END {
      printf "   saver CPU median %.2f%%, range %.2f%% to %.2f%% of one core (goal < 2%%)\n", p[int((NR + 1) / 2)], p[1], p[NR] }'
    awk -v d=$((t1 - t0)) -v w=$(($(date +%s%N) - w0)) -v hz="$(getconf CLK_TCK)" \
      'BEGIN { printf "   the same span in clock ticks: %d ticks in %.1f s, %.2f%%\n", d, w / 1e9, 100 * d / hz / (w / 1e9) }'
  else
    echo "   CPU: the saver did not run"
  fi
  xdotool key space 2>/dev/null || true
  wait "$SAVER_PID" 2>/dev/null || true
  SAVER_PID=""
}

configure_part() {
  echo "== configure mode with 1,000 stored items ($ROUNDS rounds each, median)"
  local items=() i
  for i in $(seq 0 999); do items+=("File=C:\\m\\clip$i.avi"); done
  store "${items[@]}"
  # The first start of the settings window scans the media devices; this
  # one is not measured.
  run "$BIN/pelor_screen_watch.exe" dialog 1 1000 "$SCR" /c >/dev/null || true
  bare=$(run "$BIN/pelor_screen_watch.exe" dialog "$ROUNDS" 1000 "$(winpath "$BIN/pelor_bare_list.exe")" | median)
  saver=$(run "$BIN/pelor_screen_watch.exe" dialog "$ROUNDS" 1000 "$SCR" /c | median)
  echo "   PELOR.SCR /c ${saver} ms, bare raw reads and list dialog ${bare} ms"
  awk -v s="$saver" -v b="$bare" 'BEGIN { if (b > 0 && s > 0) printf "   configure ratio %.2f (goal <= 1.30)\n", s / b; else print "   configure: not measured" }'
}

# set_monitors MODE: the stored "Monitors" option, which the playlist tool
# leaves alone.
set_monitors() {
  timeout 30 "$WINE" reg add 'HKCU\Software\Tolvane Arts\PELOR\Config' /v Monitors /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# second_lit: the percentage of 2 s of reads of the second monitor's centre
# that were not black (empty when there is no second monitor).
second_lit() { run "$BIN/pelor_screen_watch.exe" lit 2000 | awk '$1 == "lit" { print $3 }'; }

# two_monitors: the bench's prefix moves to a two-monitor display of its own;
# false, saying why, when there is none.
TWO_MONITORS=""
two_monitors() {
  [ -z "$TWO_MONITORS" ] || return "$TWO_MONITORS"
  source "$ROOT/scripts/lib/xorg-dummy.sh"
  wine_env_stop
  if xorg_dummy_start && USE_DISPLAY=$XORG_DUMMY_DISPLAY wine_env_start; then
    TWO_MONITORS=0
    echo "   two 800 x 600 monitors side by side on $XORG_DUMMY_DISPLAY"
  else
    TWO_MONITORS=1
    echo "   no two-monitor display (Xorg's dummy driver needs root and xserver-xorg-video-dummy): not measured"
  fi
  return "$TWO_MONITORS"
}

# played_on_second NAME: whether the second monitor shows a movie; says so
# when it does not.
played_on_second() {
  local lit
  lit=$(second_lit)
  awk -v l="${lit:-0}" 'BEGIN { exit !(l > 50) }' && return 0
  echo "   $1: the saver does not play on the second monitor (its centre ${lit:-?}% not black): this PELOR.SCR has no playback there"
  return 1
}

monitors_part() {
  echo "== two monitors"
  two_monitors || return 0
  startup_part
  clips
  pattern
  cp "$MEDIA/pattern.mov" "$MEDIA/pattern2.mov"
  local one both lit
  echo "== two monitors, CPU: \"Monitors\" 1 with two 640 x 360 movies vs \"Monitors\" 0 playing one (3 rounds each, median)"
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  set_monitors 0
  one=$(cpu_median 3 "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s)
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1 File="$MEDIA/pattern2.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  set_monitors 1
  both=$(CPU_CHECK=second_lit cpu_median 3 "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s)
  lit=$(cat "$MEDIA/lit" 2>/dev/null || echo 0)
  echo "   \"Monitors\" 1, two movies ${both} s of CPU in 10 s; \"Monitors\" 0, one movie ${one} s"
  if awk -v l="$lit" 'BEGIN { exit !(l > 50) }'; then
    awk -v b="$both" -v o="$one" 'BEGIN { if (b > 0 && o > 0) printf "   two-monitor CPU ratio %.2f (goal <= 2.10)\n", b / o; else print "   two-monitor CPU: not measured" }'
  else
    echo "   two-monitor CPU: no ratio, the second monitor stayed black (${lit}% of its reads not black): this PELOR.SCR has no playback there"
  fi

  local rounds=${BENCH_SYNC_ROUNDS:-3} i out
  echo "== two monitors, \"Monitors\" 2: first frames of each item on both ($rounds starts of red then green)"
  store Titles=0 File="$MEDIA/red.avi" Scale=1 File="$MEDIA/green.avi" Scale=1 LoopInfinite=1
  set_monitors 2
  xdotool mousemove 400 300 2>/dev/null || true
  for i in $(seq 1 "$rounds"); do
    out=$(run "$BIN/pelor_screen_watch.exe" sync 2 "$SCR" /s || true)
    grep -v '^sync ' <<<"$out" | sed 's/^/   /'
    grep '^sync ' <<<"$out" >>"$MEDIA/sync" || true
  done
  if [ -s "$MEDIA/sync" ]; then
    awk '{ if ($3 > worst) worst = $3; rate += $4 } END {
      printf "   largest difference %.1f ms over %d starts, both monitors read about every %.1f ms (goal <= 40 ms)\n", worst, NR, NR / rate }' "$MEDIA/sync"
  else
    echo "   \"Monitors\" 2: not measured (see above)"
  fi
  set_monitors 0
}

soak_part() {
  local minutes=${BENCH_SOAK_MINUTES:-10} pid
  echo "== two monitors, memory: \"Monitors\" 1 with two 640 x 360 movies for $minutes min (working set every 5 s)"
  two_monitors || return 0
  pattern
  cp "$MEDIA/pattern.mov" "$MEDIA/pattern2.mov"
  store File="$MEDIA/pattern.mov" MCI=PELORQT Scale=1 LoopInfinite=1 File="$MEDIA/pattern2.mov" MCI=PELORQT Scale=1 LoopInfinite=1
  set_monitors 1
  xdotool mousemove 400 300 2>/dev/null || true
  timeout $((minutes * 60 + 120)) "$WINE" "${BENCH_SAVER:-$BIN/PELOR.SCR}" /s >/dev/null 2>&1 &
  SAVER_PID=$!
  sleep 5
  pid=$(pgrep -P "$SAVER_PID" | head -n 1 || true)
  if [ -z "$pid" ] || [ ! -r "/proc/$pid/status" ]; then
    echo "   soak: the saver did not run"
  else
    played_on_second soak || echo "   (the figures below are of the primary monitor's movie alone)"
    local end=$(($(date +%s) + minutes * 60)) t0
    t0=$(date +%s)
    : >"$MEDIA/rss"
    while [ "$(date +%s)" -lt "$end" ] && [ -r "/proc/$pid/status" ]; do
      echo "$(($(date +%s) - t0)) $(awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status")" >>"$MEDIA/rss"
      sleep 5
    done
    # The first and the last minute; a run of under two minutes compares
    # its first and last quarters.
    awk -v total=$((minutes * 60)) '
      { t[NR] = $1; k[NR] = $2 }
      END {
        span = total >= 120 ? 60 : total / 4
        for (i = 1; i <= NR; i++) {
          if (t[i] < span) { a += k[i]; na++ }
          if (t[i] >= t[NR] - span) { b += k[i]; nb++ }
          if (k[i] > most) most = k[i]
        }
        if (na == 0 || nb == 0 || t[NR] < total - 30) { print "   soak: the saver ended early, after " t[NR] " s"; exit }
        printf "   working set, first %d s %.1f MB, last %d s %.1f MB, highest %.1f MB: %+.1f%% (goal within 5%%)\n",
          span, a / na / 1024, span, b / nb / 1024, most / 1024, 100 * (b / nb - a / na) / (a / na) }' "$MEDIA/rss"
  fi
  xdotool key space 2>/dev/null || true
  sleep 1
  kill "$SAVER_PID" 2>/dev/null || true
  wait "$SAVER_PID" 2>/dev/null || true
  SAVER_PID=""
  set_monitors 0
}

want startup && startup_part
want gap && gap_part
want folder && folder_part
want cpu && logo_cpu_part
want configure && configure_part
if want up; then
  echo "== Up with every other of 5,000 entries selected"
  run "$BIN/pelor_bench_move.exe" | sed 's/^/   /'
fi
if want properties; then
  echo "== Properties on 10,000 entries"
  run "$BIN/pelor_bench_properties.exe" | sed 's/^/   /'
fi
if want quicktime; then
  pattern
  qt_bench "Media Foundation" pelor_bare_reader
  overrides=$WINEDLLOVERRIDES
  export WINEDLLOVERRIDES="$overrides;mfplat=d"
  qt_bench DirectShow pelor_bare_qt
  export WINEDLLOVERRIDES=$overrides
fi
want between && between_movies
# The two-monitor parts leave the shared screen for a display of their own.
want monitors && monitors_part
want soak && soak_part
exit 0
