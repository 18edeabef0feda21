#!/usr/bin/env bash
# Between two movies the next one's first picture replaces the last picture
# of the one before, with no black between them: pelor_screen_watch reads the
# screen centre in a tight loop from the first red frame to the first green
# one (or for 4 s of one item playing again and again) and adds up the time
# it reads black. The clips fill the screen (Scale 4, Titles off), so the
# centre is always one of them or black. Every pair of players: MCI (AVI,
# MPEG), our QuickTime library on Media Foundation and on DirectShow
# (mfplat disabled), and each after the other. Also: a slide show (one
# frame every 5 s) shows its first frame at once at every start.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-seamless"
mkdir -p "$media"
fixture avi "$media/red.avi" 320 180 10 10 0
fixture avi "$media/green.avi" 320 180 30 10 1
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
enc -f lavfi -i color=c=red:s=320x180:r=25:d=1 -c:v mjpeg -q:v 3 "$media/red.mov"
enc -f lavfi -i color=c=lime:s=320x180:r=25:d=3 -c:v libx264 -pix_fmt yuv420p "$media/green.mov"
enc -f lavfi -i color=c=red:s=320x180:r=25:d=1 -c:v mpeg1video -q:v 3 "$media/red.mpg"
enc -f lavfi -i color=c=lime:s=320x180:r=25:d=3 -c:v mpeg1video -q:v 3 "$media/green.mpg"
enc -f lavfi -i color=c=red:s=160x120:r=0.2:d=15 -c:v msvideo1 -r 0.2 "$media/slow.avi"

watch() { timeout 120 "$WINE" "$PELOR_BIN/pelor_screen_watch.exe" "$@" 2>/dev/null | tr -d '\r'; }
scr=$(win_path "$PELOR_BIN/PELOR.SCR")

# no_black NAME WATCH_MS STORE-ARGS...: three starts of the saver on that
# playlist; every one must see red, then green (or WATCH_MS of red), and
# never black in between.
no_black() {
  local name=$1 watch_ms=$2 out rounds
  shift 2
  store_playlist Titles=0 "$@"
  xdotool mousemove 400 300 2>/dev/null
  out=$(watch black 3 "$watch_ms" "$scr" /s)
  rounds=$(grep -c '^round [0-9]*: 0\.0 ms black' <<<"$out")
  expect "$name: no black between the two movies in 3 starts ($(grep -o '[0-9.]* ms black' <<<"$out" | tr '\n' ' '))" \
    [ "$rounds" = 3 ]
}
qt() { echo File="$1" MCI=PELORQT Scale=4; }
# shellcheck disable=SC2046
check_pairs() {  # check_pairs PATH-NAME: the pairs with QuickTime on that path
  no_black "QuickTime after QuickTime, $1" 8000 $(qt "$media/red.mov") $(qt "$media/green.mov") LoopInfinite=1
  no_black "QuickTime after an AVI through MCI, $1" 8000 File="$media/red.avi" Scale=4 $(qt "$media/green.mov") LoopInfinite=1
  no_black "AVI through MCI after QuickTime, $1" 8000 $(qt "$media/red.mov") File="$media/green.avi" Scale=4 LoopInfinite=1
  no_black "one QuickTime item playing again and again, $1" 4000 $(qt "$media/red.mov")
}
no_black "AVI after AVI through MCI" 8000 File="$media/red.avi" Scale=4 File="$media/green.avi" Scale=4 LoopInfinite=1
# Some Wine builds' MPEGVideo device opens and plays MPEG-1 without showing
# a picture (this one, for the saver before the next movie was prepared
# too); there is then nothing to see, and the pair is reported, not counted.
store_playlist Titles=0 File="$media/red.mpg" Scale=4 LoopInfinite=1
xdotool mousemove 400 300 2>/dev/null
if watch movie 1 "$scr" /s | grep -q '^median'; then
  no_black "MPEG after MPEG through MCI" 8000 File="$media/red.mpg" Scale=4 File="$media/green.mpg" Scale=4 LoopInfinite=1
else
  echo "SKIP MPEG after MPEG: this Wine's MPEGVideo device shows no picture of the MPEG-1 clip"
fi
no_black "one AVI item playing again and again" 4000 File="$media/red.avi" Scale=4
check_pairs "Media Foundation"
overrides=${WINEDLLOVERRIDES:-}
export WINEDLLOVERRIDES="${overrides:+$overrides;}mfplat=d"
check_pairs DirectShow
export WINEDLLOVERRIDES=$overrides

# Bad input while prepared: the next file deleted, a QuickTime file cut to
# half its length, and a 4K movie; the playlist goes on to its last item
# (yellow) each time, the saver still running.
fixture avi "$media/yellow.avi" 320 180 10 10 3
enc -f lavfi -i color=c=lime:s=320x180:r=25:d=2 -c:v libx264 -pix_fmt yuv420p "$media/cut.mov"
enc -f lavfi -i color=c=lime:s=3840x2160:r=25:d=1 -c:v libx264 -pix_fmt yuv420p "$media/big.mov"
cp "$media/green.avi" "$media/doomed.avi"
# after_prepared FILE-TO-HARM HOW STORE-ARGS...: starts the saver, lets the
# next item be prepared behind the 3 s of red, harms it, and puts the colours
# seen in $out ("saver gone" added when it ended by itself).
after_prepared() {
  local file=$1 how=$2
  out=""
  shift 2
  store_playlist Titles=0 File="$media/red.avi" Scale=4 Loops=3 "$@" File="$media/yellow.avi" Scale=4 LoopInfinite=1
  if start_saver; then
    sleep 1.5
    case $how in
      delete) rm -f "$file" ;;
      cut) truncate -s $(($(stat -c %s "$file") / 2)) "$file" ;;
    esac
    out=$(colours_seen 40 "bad-$how")
  fi
  saver_running || out="$out saver gone"
  end_saver
}
after_prepared "$media/doomed.avi" delete File="$media/doomed.avi" Scale=4
expect "the next file deleted after its preparation still plays, then the rest ($out)" [ "$out" = "red green yellow" ]
after_prepared "$media/cut.mov" cut File="$media/cut.mov" MCI=PELORQT Scale=4
expect "a QuickTime file cut after its preparation neither stops nor hangs the playlist ($out)" \
  test "${out% yellow}" != "$out" -a "${out#red}" != "$out"
after_prepared "" none File="$media/big.mov" MCI=PELORQT Scale=4
expect "a 4K movie prepared while another plays comes next, then the rest ($out)" [ "$out" = "red green yellow" ]

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
