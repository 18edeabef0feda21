#!/usr/bin/env bash
# Shows the saver playing: sets the machine up, builds, writes demo media with
# our own fixture writer, stores a demo playlist through the saver's settings
# code, runs PELOR.SCR /s under Wine on your display (or, without a usable
# one, on a virtual screen), saves a screenshot about every second and ends
# the saver with a key press after DEMO_SECONDS (20 by default).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
bash "$ROOT/scripts/setup.sh"
source "$ROOT/scripts/lib/build-trees.sh"
source "$ROOT/scripts/lib/wine-env.sh"
SECONDS_TO_RUN=${DEMO_SECONDS:-20}

ARCH=$(wine_env_arch)
echo "== build (native tools and the $ARCH tree)"
build_native
# PASSWORD.CPL and our MPR.DLL beside the saver, so that PELOR.SCR /a in the
# demo prefix shows the change-password dialog and /s asks for what it set.
"build_$ARCH" PELOR QuickTimeQts pelor_store_playlist pelor_dialog password_cpl mpr_standin
BIN="$BUILD/$ARCH/bin"
FIXTURE="$BUILD/native/bin/pelor_fixture"

OUT=$(mktemp -d /tmp/pelor-demo.XXXXXX)
MEDIA="$OUT/media"; SHOTS="$OUT/screenshots"
mkdir -p "$MEDIA" "$SHOTS"
echo "== demo media in $MEDIA"
"$FIXTURE" avi "$MEDIA/red-320x180.avi" 320 180 40 10 0
"$FIXTURE" avi "$MEDIA/green-160x120.avi" 160 120 30 10 1
"$FIXTURE" avi "$MEDIA/blue-160x120.avi" 160 120 20 10 2
"$FIXTURE" avi "$MEDIA/yellow-320x180.avi" 320 180 30 10 3
"$FIXTURE" wav "$MEDIA/tone.wav" 2000 440
# A folder entry: every clip in the folder and its subfolders, in name order,
# each titled with its own file name (the entry's title is the folder's name).
mkdir -p "$MEDIA/clips/more"
"$FIXTURE" avi "$MEDIA/clips/cyan.avi" 160 120 15 10 4
"$FIXTURE" avi "$MEDIA/clips/more/magenta.avi" 160 120 15 10 5
# A QuickTime movie, played through our QuickTime.qts.
ffmpeg -loglevel error -y -f lavfi -i testsrc=s=320x240:r=25:d=4 -c:v mjpeg -q:v 3 \
  "$MEDIA/pattern-320x240.mov" </dev/null

# Your own screen when $DISPLAY answers, else a virtual one.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export USE_DISPLAY=$DISPLAY
  echo "== on your display $DISPLAY"
else
  unset USE_DISPLAY
  echo "== no usable display: on a virtual 800x600 screen"
fi
SAVER_PID=""
finish() {
  if [ -n "$SAVER_PID" ]; then kill "$SAVER_PID" 2>/dev/null || true; wait "$SAVER_PID" 2>/dev/null || true; fi
  wine_env_stop
}
trap finish EXIT
wine_env_start

echo "== demo playlist"
timeout 60 "$WINE" "$BIN/pelor_store_playlist.exe" Titles=1 BounceSpeed=20 \
  File="$MEDIA/red-320x180.avi" Title="Pelorama" Scale=4 TitleBefore=1 \
  File="$MEDIA/pattern-320x240.mov" MCI=PELORQT Title="A QuickTime movie" Scale=1 TitleMovie=1 \
  File="$MEDIA/green-160x120.avi" Title="Upper left, double size" Scale=2 Align=1 TitleBefore=0 TitleMovie=1 Loops=2 \
  File="$MEDIA/tone.wav" Title="A tone" TitleBefore=1 \
  File="$MEDIA/blue-160x120.avi" Title="Bouncing" Scale=1 Bounce=1 Loops=3 TitleBefore=0 TitleMovie=1 \
  File="$MEDIA/clips" Title="clips" Scale=1 Align=3 TitleBefore=0 TitleMovie=1 \
  File="$MEDIA/yellow-320x180.avi" Title="Lower right, half screen" Scale=6 Align=8 TitleMovie=1 LoopInfinite=1

echo "== PELOR.SCR /s for $SECONDS_TO_RUN s"
xdotool mousemove 400 300 2>/dev/null || true
timeout $((SECONDS_TO_RUN + 30)) "$WINE" "$BIN/PELOR.SCR" /s >/dev/null 2>&1 &
SAVER_PID=$!
for i in $(seq -w 1 "$SECONDS_TO_RUN"); do
  sleep 1
  import -window root "$SHOTS/shot-$i.png" 2>/dev/null || true
done
xdotool key space 2>/dev/null || true
rc=0
wait "$SAVER_PID" || rc=$?
SAVER_PID=""
echo "== the saver ended with exit code $rc"

# The settings window on the same playlist, then the properties of its
# second entry (a double-click on it); both closed with Cancel.
echo "== PELOR.SCR /c: the settings window and the properties of one entry"
dialog() { timeout 30 "$WINE" "$BIN/pelor_dialog.exe" "$@" 2>/dev/null | tr -d '\r'; }
shown() { timeout "$2" bash -c 'until xdotool search --onlyvisible --name "^$0\$" >/dev/null 2>&1; do sleep 0.2; done' "$1"; }
timeout 120 "$WINE" "$BIN/PELOR.SCR" /c >/dev/null 2>&1 &
SAVER_PID=$!
if shown Pelorama 30; then
  sleep 1
  import -window root "$SHOTS/config-dialog.png" 2>/dev/null || true
  read -r x y w h < <(dialog item Pelorama 1008 1) || true
  if [ -n "${h:-}" ]; then
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 60 1
    if shown Properties 10; then
      sleep 1
      import -window root "$SHOTS/properties-dialog.png" 2>/dev/null || true
      xdotool key Escape; sleep 0.5
    fi
  fi
  xdotool key Escape
fi
wait "$SAVER_PID" 2>/dev/null || true
SAVER_PID=""
echo "screenshots: $SHOTS"
