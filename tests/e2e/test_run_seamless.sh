#!/usr/bin/env bash
# Between two movies the next one's first picture replaces the last picture
# of the one before, with no black between them: pelor_screen_watch reads the
# screen centre in a tight loop from the first red frame to the first green
# one and adds up the time it reads black. Both clips fill the screen (Scale
# 4, Titles off), so the centre is always one of them or black. Also: a
# slide show (one frame every 5 s) shows its first frame at once at every
# start.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-seamless"
mkdir -p "$media"
fixture avi "$media/red.avi" 320 180 10 10 0
fixture avi "$media/green.avi" 320 180 30 10 1
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
enc -f lavfi -i color=c=red:s=320x180:r=25:d=1 -c:v mjpeg -q:v 3 "$media/red.mov"
enc -f lavfi -i color=c=red:s=160x120:r=0.2:d=15 -c:v msvideo1 -r 0.2 "$media/slow.avi"

watch() { timeout 120 "$WINE" "$PELOR_BIN/pelor_screen_watch.exe" "$@" 2>/dev/null | tr -d '\r'; }
scr=$(win_path "$PELOR_BIN/PELOR.SCR")

# no_black NAME STORE-ARGS...: three starts of the saver on that playlist;
# every one must see red, then green, and never black between them.
no_black() {
  local name=$1 out rounds
  shift
  store_playlist Titles=0 "$@"
  xdotool mousemove 400 300 2>/dev/null
  out=$(watch black 3 8000 "$scr" /s)
  rounds=$(grep -c '^round [0-9]*: 0\.0 ms black' <<<"$out")
  expect "$name: no black between the two movies in 3 starts ($(grep -o '[0-9.]* ms black' <<<"$out" | tr '\n' ' '))" \
    [ "$rounds" = 3 ]
}
no_black "AVI after AVI through MCI" \
  File="$media/red.avi" Scale=4 File="$media/green.avi" Scale=4 LoopInfinite=1
no_black "AVI through MCI after a QuickTime movie" \
  File="$media/red.mov" MCI=PELORQT Scale=4 File="$media/green.avi" Scale=4 LoopInfinite=1

# The slide show first, then another item: its red frame shows within 2 s of
# the process start at each of 8 starts (the frame after it is 5 s away).
store_playlist Titles=0 File="$media/slow.avi" Scale=4 File="$media/green.avi" Scale=4 LoopInfinite=1
xdotool mousemove 400 300 2>/dev/null
out=$(watch movie 8 "$scr" /s)
late=$(sed -n 's/^round [0-9]*: \([0-9.]*\) ms$/\1/p' <<<"$out" | awk '$1 > 2000' | wc -l)
seen=$(grep -c '^round' <<<"$out")
expect "a slide show shows its first frame at once at each of 8 starts ($(sed -n 's/^round [0-9]*: //p' <<<"$out" | tr '\n' ' '))" \
  test "$seen" = 8 -a "$late" = 0
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
