#!/usr/bin/env bash
# QuickTime items through our QuickTime.qts beside PELOR.SCR: .mov files made
# now by Debian's ffmpeg (MJPEG and H.264) show their colour at their place,
# loop, end and hand over to the next item; fragmented and padded .mp4 files
# play on either player; damaged ones are dropped; without
# the library every QuickTime item is dropped and the other items play.
# The library plays through Media Foundation where Wine has it;
# test_quicktime_directshow.sh runs these checks again with mfplat disabled
# (QT_PATH=directshow), where it plays through DirectShow.
set -u
source "$(dirname "$0")/lib.sh"
QT_PATH=${QT_PATH:-mediafoundation}
media="$E2E_OUT/quicktime-$QT_PATH"
mkdir -p "$media"
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 -c:v mjpeg -q:v 3 "$media/red.mov"
enc -f lavfi -i color=c=blue:s=320x240:r=25:d=2 -c:v libx264 -pix_fmt yuv420p "$media/blue.mov"
enc -f lavfi -i color=c=lime:s=320x180:r=25:d=2 -c:v libx264 -pix_fmt yuv420p -f mov "$media/green.qt"
enc -f lavfi -i sine=f=440:d=1 -c:a pcm_s16le "$media/sound.mov"
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 -f lavfi -i sine=f=440:d=2 -c:v libx264 -pix_fmt yuv420p -c:a aac \
  -shortest "$media/phone.mp4"
enc -f lavfi -i color=c=blue:s=320x240:r=25:d=2 -c:v libx264 -pix_fmt yuv420p -f mp4 "$media/auto.m4v"
fixture avi "$media/yellow.avi" 160 120 20 10 3
# As screen recorders write them: a fragment per frame, 4,400 top-level atoms
# (220 s), and a whole movie with 64 zero bytes reserved after its last atom.
enc -f lavfi -i color=c=cyan:s=160x120:r=10:d=220 -c:v libx264 -pix_fmt yuv420p -movflags frag_every_frame+empty_moov \
  "$media/frag.mp4"
enc -f lavfi -i color=c=magenta:s=320x240:r=25:d=2 -c:v libx264 -pix_fmt yuv420p "$media/padded.mp4"
head -c 64 /dev/zero >>"$media/padded.mp4"
QT=(MCI=PELORQT)

if [ ! -f "$PELOR_BIN/QuickTime.qts" ]; then
  fail "[$QT_PATH] QuickTime.qts beside PELOR.SCR" "not built in $PELOR_BIN"
fi

# qt_then_yellow NAME: the stored playlist should end in yellow; prints the
# seconds until yellow showed, or why it did not.
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

# The picture: MJPEG and H.264 movies at their own size in the middle of the
# screen, and a 320 x 180 one at full screen with letterbox bars.
store_playlist Letterbox=1 File="$media/red.mov" "${QT[@]}" Scale=1 File="$media/blue.mov" "${QT[@]}" Scale=1 \
  File="$media/green.qt" "${QT[@]}" Scale=4 File="$media/yellow.avi" LoopInfinite=1
if start_saver; then
  for colour in red blue green; do
    if wait_colour 400 300 "$colour" 20 "$E2E_OUT/qt-$colour.png"; then
      box=$(shown_box "$E2E_OUT/qt-$colour.png")
      case $colour in
        green) want="800 450 0 75"; what="the 320x180 H.264 .qt at full screen, letterboxed" ;;
        red) want="320 240 240 180"; what="the MJPEG .mov at its own size in the middle" ;;
        blue) want="320 240 240 180"; what="the H.264 .mov at its own size in the middle" ;;
      esac
      expect "[$QT_PATH] $what shows its picture there (box $box)" [ "$box" = "$want" ]
    else
      fail "[$QT_PATH] the $colour QuickTime movie shows its picture" "no $colour at the centre within 20 s"
    fi
  done
  expect "[$QT_PATH] after the three QuickTime movies the AVI plays" wait_colour 400 300 yellow 20
else
  fail "[$QT_PATH] the saver starts for the QuickTime pictures" "no SaverWnd"
fi
end_saver

# Phone videos: an .mp4 with sound on the QuickTime player, and an .m4v on
# Auto Detect, which the MCI system refuses, both play through our library.
store_playlist File="$media/phone.mp4" "${QT[@]}" File="$media/auto.m4v" File="$media/yellow.avi" LoopInfinite=1
if start_saver; then
  expect "[$QT_PATH] an .mp4 on the QuickTime player shows its picture" wait_colour 400 300 red 20 "$E2E_OUT/qt-$QT_PATH-mp4.png"
  expect "[$QT_PATH] an .m4v on Auto Detect that MCI refuses plays through QuickTime" \
    wait_colour 400 300 blue 20 "$E2E_OUT/qt-$QT_PATH-m4v.png"
  expect "[$QT_PATH] then the AVI plays" wait_colour 400 300 yellow 20
else
  fail "[$QT_PATH] the saver starts for the phone videos" "no SaverWnd"
fi
end_saver

# Files other programs write, on the QuickTime player and on Auto Detect: the
# fragmented movie shows its picture (N moves on from its 220 s), the padded
# one plays to its end, then the AVI.
for player in quicktime auto; do
  if [ $player = quicktime ]; then with=("${QT[@]}"); else with=(); fi
  store_playlist File="$media/frag.mp4" "${with[@]}" File="$media/padded.mp4" "${with[@]}" \
    File="$media/yellow.avi" LoopInfinite=1
  if start_saver; then
    expect "[$QT_PATH] a fragmented .mp4 (4,400 atoms) on $player shows its picture" \
      wait_colour 400 300 cyan 20 "$E2E_OUT/qt-$QT_PATH-frag-$player.png"
    xdotool key n
    expect "[$QT_PATH] an .mp4 with zeros after its last atom on $player shows its picture" \
      wait_colour 400 300 magenta 20 "$E2E_OUT/qt-$QT_PATH-padded-$player.png"
    expect "[$QT_PATH] it plays to its end on $player, then the AVI" wait_colour 400 300 yellow 20
  else
    fail "[$QT_PATH] the saver starts for the recorders' files on $player" "no SaverWnd"
  fi
  end_saver
done

# Loops 2 plays the 2 s movie twice, then the next item.
for loops in 1 2; do
  store_playlist File="$media/red.mov" "${QT[@]}" Loops=$loops File="$media/yellow.avi" LoopInfinite=1
  times=""
  start_saver && times=$(timeline 40 "qt-loops$loops")
  end_saver
  eval "red_$loops=\$(( \$(at yellow \"\$times\") - \$(at red \"\$times\") ))"
done
expect "[$QT_PATH] Loops 1 shows the 2 s movie about once (${red_1} ms of red before yellow)" [ "$red_1" -ge 1500 -a "$red_1" -le 3600 ]
# (Screenshots come some 300 ms apart, so each end of the red may be seen late.)
expect "[$QT_PATH] Loops 2 shows it twice, then the next item (${red_2} ms)" [ "$red_2" -ge 3000 -a "$red_2" -le 6500 ]

# LoopInfinite keeps playing until a key; N, Right and Left step through the
# list as they do for MCI movies.
store_playlist File="$media/red.mov" "${QT[@]}" LoopInfinite=1 File="$media/blue.mov" "${QT[@]}" LoopInfinite=1
if start_saver && wait_colour 400 300 red 20; then
  sleep 8; screenshot "$E2E_OUT/qt-forever.png"
  expect "[$QT_PATH] a LoopInfinite QuickTime movie still plays after 8 s" [ "$(colour_at "$E2E_OUT/qt-forever.png" 400 300)" = red ]
  xdotool key m; sleep 1
  expect "[$QT_PATH] M leaves the QuickTime movie playing" saver_running
  xdotool key n
  expect "[$QT_PATH] N moves on to the next QuickTime movie" wait_colour 400 300 blue 15
  xdotool key Left
  expect "[$QT_PATH] Left goes back to the one before" wait_colour 400 300 red 15
  xdotool key Right
  expect "[$QT_PATH] Right moves on again" wait_colour 400 300 blue 15
  xdotool key space
  rc=$(wait_program 10)
  expect "[$QT_PATH] another key ends the saver with 0 (rc=$rc)" [ "$rc" = 0 ]
else
  fail "[$QT_PATH] a LoopInfinite QuickTime movie plays" "no red within 20 s"
fi
stop_program

# Two QuickTime items, an MCI item, a QuickTime item: the library is loaded
# for the first two, let go before the MCI item, and loaded again.
store_playlist File="$media/red.mov" "${QT[@]}" File="$media/blue.mov" "${QT[@]}" \
  File="$media/yellow.avi" File="$media/green.qt" "${QT[@]}" LoopInfinite=1
loads_log="$E2E_OUT/qt-loads.log"
xdotool mousemove 400 300
( WINEDEBUG=+loaddll timeout 60 "$WINE" "$PELOR_BIN/PELOR.SCR" /s >/dev/null 2>"$loads_log" ) &
loads_pid=$!
if wait_colour 400 300 green 40 "$E2E_OUT/qt-loads.png"; then
  sleep 1
  loads=$(grep -c 'Loaded L".*QuickTime.qts"' "$loads_log")
  expect "[$QT_PATH] QuickTime.qts is loaded twice: before the first item and after the MCI item ($loads)" [ "$loads" = 2 ]
  mf=$(grep -c 'Loaded L".*mfplat.dll"' "$loads_log")
  if [ "$QT_PATH" = directshow ]; then
    expect "[$QT_PATH] with mfplat disabled Media Foundation is never loaded ($mf)" [ "$mf" = 0 ]
  else
    expect "[$QT_PATH] the library plays through Media Foundation (mfplat.dll loaded $mf times)" [ "$mf" -ge 1 ]
  fi
else
  fail "[$QT_PATH] the fourth item (QuickTime after MCI) plays" "no green within 40 s"
fi
xdotool key space; sleep 1
kill "$loads_pid" 2>/dev/null; wait "$loads_pid" 2>/dev/null

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
expect "[$QT_PATH] renamed text, truncated, empty, missing, 300-character and sound-only .mov items end or drop, then the AVI (after $t s)" \
  [ "${t//[!0-9]/}" = "$t" ]

# No QuickTime.qts anywhere: the saver alone in a folder of its own.
alone="$E2E_OUT/noqt"
mkdir -p "$alone" && cp "$PELOR_BIN/PELOR.SCR" "$alone/"
store_playlist File="$media/red.mov" "${QT[@]}" File="$media/yellow.avi" LoopInfinite=1
saved_bin=$PELOR_BIN
PELOR_BIN=$alone
t=$(qt_then_yellow noqt)
PELOR_BIN=$saved_bin
expect "[$QT_PATH] without QuickTime.qts the QuickTime item is dropped and the AVI plays at once (after $t s)" \
  [ "${t//[!0-9]/}" = "$t" -a "${t:-99}" -le 6 ]
