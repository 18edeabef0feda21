#!/usr/bin/env bash
# QuickTime items through our QuickTime.qts beside PELOR.SCR: .mov files made
# now by Debian's ffmpeg (MJPEG and H.264) show their colour at their place,
# loop, end and hand over to the next item; damaged ones are dropped; without
# the library every QuickTime item is dropped and the other items play.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/quicktime"
mkdir -p "$media"
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 -c:v mjpeg -q:v 3 "$media/red.mov"
enc -f lavfi -i color=c=blue:s=320x240:r=25:d=2 -c:v libx264 -pix_fmt yuv420p "$media/blue.mov"
enc -f lavfi -i color=c=lime:s=320x180:r=25:d=2 -c:v libx264 -pix_fmt yuv420p -f mov "$media/green.qt"
enc -f lavfi -i sine=f=440:d=1 -c:a pcm_s16le "$media/sound.mov"
fixture avi "$media/yellow.avi" 160 120 20 10 3
QT=(MCI=PELORQT)

if [ ! -f "$PELOR_BIN/QuickTime.qts" ]; then
  fail "QuickTime.qts beside PELOR.SCR" "not built in $PELOR_BIN"
fi

# The picture of Wine's DirectShow video renderer does not reach a child
# window here (a bare DirectShow program shows black too), so these checks
# follow the plays: each QuickTime item opens, plays to its end through the
# library's end callback, and the next item (yellow) follows.
qt_then_yellow() {  # qt_then_yellow NAME FILE...: seconds until yellow shows
  local start=$SECONDS seen
  start_saver || { echo none; return; }
  seen=$(colours_seen 40 "qt-$1")
  if [ "$seen" = yellow ]; then
    echo $((SECONDS - start))
  elif saver_running; then
    echo "none(seen '$seen', still running after $((SECONDS - start)) s)"
  else
    echo "none(seen '$seen', ended with $(cat "$PROGRAM_RC_FILE") after $((SECONDS - start)) s)"
  fi
  end_saver
}
# Bad input: each is dropped or plays as far as it can; the AVI follows.
printf 'not a movie\n' >"$media/text.mov"
head -c 3000 "$media/red.mov" >"$media/truncated.mov"
: >"$media/empty.mov"
long="$media/$(printf 'x%.0s' $(seq 1 240)).mov"
cp "$media/red.mov" "$long" 2>/dev/null || long="$media/missing-long.mov"
store_playlist File="$media/text.mov" "${QT[@]}" File="$media/truncated.mov" "${QT[@]}" \
  File="$media/empty.mov" "${QT[@]}" File="$media/missing.mov" "${QT[@]}" File="$long" "${QT[@]}" \
  File="$media/sound.mov" "${QT[@]}" File="$media/yellow.avi" LoopInfinite=1
t=$(qt_then_yellow bad)
expect "renamed text, truncated, empty, missing, 300-character and sound-only .mov items end or drop, then the AVI (after $t s)" \
  [ "${t//[!0-9]/}" = "$t" ]

# No QuickTime.qts anywhere: the saver alone in a folder of its own.
alone="$E2E_OUT/noqt"
mkdir -p "$alone" && cp "$PELOR_BIN/PELOR.SCR" "$alone/"
store_playlist File="$media/red.mov" "${QT[@]}" File="$media/yellow.avi" LoopInfinite=1
saved_bin=$PELOR_BIN
PELOR_BIN=$alone
t=$(qt_then_yellow noqt)
PELOR_BIN=$saved_bin
expect "without QuickTime.qts the QuickTime item is dropped and the AVI plays at once (after $t s)" \
  [ "${t//[!0-9]/}" = "$t" -a "${t:-99}" -le 6 ]
