#!/usr/bin/env bash
# The real PELOR.SCR /s on the 800 x 600 virtual screen: where a movie is
# drawn, the title card before it, and the logo when the playlist is empty.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-screen"
mkdir -p "$media"
fixture avi "$media/red320.avi" 320 180 30 10 0
fixture avi "$media/green160.avi" 160 120 20 10 1

# A 320 x 180 clip at full-screen size with letterbox: 800 x 450 at y = 75.
store_playlist Scale=4 Letterbox=1 File="$media/red320.avi" LoopInfinite=1
if start_saver && wait_colour 400 300 red 40 "$E2E_OUT/letterbox.png"; then
  shot="$E2E_OUT/letterbox.png"
  box=$(shown_box "$shot")
  expect "letterboxed clip fills (0,75)-(800,525) and nothing else shows (box $box)" [ "$box" = "800 450 0 75" ]
  edges="$(colour_at "$shot" 0 300) $(colour_at "$shot" 799 300) $(colour_at "$shot" 400 75) $(colour_at "$shot" 400 524)"
  expect "the clip reaches every edge of its rectangle ($edges)" [ "$edges" = "red red red red" ]
  bars="$(colour_at "$shot" 400 74) $(colour_at "$shot" 400 525) $(colour_at "$shot" 0 0) $(colour_at "$shot" 799 599)"
  expect "the bars above and below are black ($bars)" [ "$bars" = "black black black black" ]
else
  fail "a 320x180 clip at full screen appears" "no red picture at the centre within 40 s"
fi
end_saver

# A title card: white text centred on the middle line, then the movie.
store_playlist Titles=1 File="$media/green160.avi" Title=PELORAMA TitleBefore=1 LoopInfinite=1
if start_saver; then
  card=""
  for _ in $(seq 1 40); do
    screenshot "$E2E_OUT/title.png"
    read -r w h x y < <(shown_box "$E2E_OUT/title.png")
    if [ "$w" -gt 0 ] && [ "$(colour_at "$E2E_OUT/title.png" 400 300)" != green ]; then card=yes; break; fi
    sleep 0.2
  done
  card_seen=$(date +%s%N)
  if [ -n "$card" ]; then
    centre=$((x + w / 2)); bottom=$((y + h))
    expect "the title is centred horizontally (centre x $centre)" [ "$centre" -ge 396 -a "$centre" -le 404 ]
    expect "the title stands on the middle line (bottom y $bottom)" [ "$bottom" -ge 296 -a "$bottom" -le 302 ]
    expect "the title's capitals fit a 40-pixel font (height $h)" [ "$h" -ge 20 -a "$h" -le 42 ]
    brightest=$(convert "$E2E_OUT/title.png" -crop "${w}x${h}+${x}+${y}" -colorspace gray -format '%[fx:int(255*maxima)]' info:)
    expect "the title is white (brightest $brightest)" [ "$brightest" -ge 240 ]
    if wait_colour 400 300 green 20; then
      card_ms=$(( ($(date +%s%N) - card_seen) / 1000000 ))
      # 4 s of card, seen up to a poll late, then the movie's own start.
      expect "the movie follows the title card after about 4 s (${card_ms} ms)" [ "$card_ms" -ge 3300 -a "$card_ms" -le 5500 ]
    else
      fail "the movie follows the title card" "no green within 20 s"
    fi
  else
    fail "a title card shows before the movie" "nothing but black within 8 s"
  fi
else
  fail "a title card shows before the movie" "no SaverWnd window"
fi
end_saver

# band_box FILE TOP BOTTOM: "W H X Y" (screen coordinates) of what is not
# black between the rows TOP and BOTTOM - 1 of a screenshot.
band_box() {
  local w h x y
  convert "$1" -crop "800x$(($3 - $2))+0+$2" +repage "$E2E_OUT/band.png"
  read -r w h x y < <(shown_box "$E2E_OUT/band.png")
  [ "$w" -gt 0 ] && y=$((y + $2))
  echo "$w $h $x $y"
}

# The movie-time title: in the half-height font (20 pixels on 800 x 600),
# hanging one pixel below a centred movie (320,240)-(480,360), and standing
# one pixel above a movie that reaches the bottom of the screen.
store_playlist Titles=1 File="$media/green160.avi" Title=MOVIETIME TitleMovie=1 LoopInfinite=1
if start_saver && wait_colour 400 300 green 20 "$E2E_OUT/movie-title.png"; then
  sleep 0.5; screenshot "$E2E_OUT/movie-title.png"
  read -r w h x y < <(band_box "$E2E_OUT/movie-title.png" 360 600)
  expect "the movie-time title hangs just below the movie (box ${w}x$h at $x,$y)" [ "$w" -gt 0 -a "$y" -ge 361 -a "$y" -le 367 ]
  expect "the movie-time title is centred under the movie (centre $((x + w / 2)))" [ "$((x + w / 2))" -ge 396 -a "$((x + w / 2))" -le 404 ]
  expect "the movie-time title's capitals fit a 20-pixel font (height $h)" [ "$h" -ge 10 -a "$h" -le 21 ]
  read -r w2 _ _ _ < <(band_box "$E2E_OUT/movie-title.png" 0 240)
  expect "nothing shows above the movie" [ "$w2" = 0 ]
else
  fail "the movie-time title shows with its movie" "no green movie"
fi
end_saver
store_playlist Titles=1 File="$media/green160.avi" Title=MOVIETIME TitleMovie=1 Align=7 LoopInfinite=1
if start_saver && wait_colour 400 540 green 20 "$E2E_OUT/movie-title-bottom.png"; then
  sleep 0.5; screenshot "$E2E_OUT/movie-title-bottom.png"
  read -r w h x y < <(band_box "$E2E_OUT/movie-title-bottom.png" 0 480)
  expect "under a movie at the bottom edge the title stands just above it (box ${w}x$h at $x,$y)" \
    [ "$w" -gt 0 -a "$((y + h))" -ge 470 -a "$((y + h))" -le 480 -a "$((x + w / 2))" -ge 396 -a "$((x + w / 2))" -le 404 ]
else
  fail "the movie-time title shows above a movie at the bottom" "no green movie"
fi
end_saver
# The item's face reaches the title: ten i's in a fixed-pitch face are far
# wider than in the default serif face.
widths=""
for face in "Times New Roman" "Courier New"; do
  store_playlist Titles=1 File="$media/green160.avi" Title=iiiiiiiiii TitleMovie=1 FontFace="$face" LoopInfinite=1
  if start_saver && wait_colour 400 300 green 20 "$E2E_OUT/movie-title-face.png"; then
    sleep 0.5; screenshot "$E2E_OUT/movie-title-face.png"
    read -r w _ _ _ < <(band_box "$E2E_OUT/movie-title-face.png" 360 600)
    widths="$widths $w"
  fi
  end_saver
done
read -r serif mono <<<"$widths"
expect "the title is drawn in the item's face (serif ${serif:-?} px, fixed-pitch ${mono:-?} px)" \
  [ -n "${mono:-}" -a "${serif:-0}" -gt 0 -a "${mono:-0}" -ge $(( ${serif:-0} * 3 / 2 )) ]

# An empty playlist: the logo placeholder, bouncing.
store_playlist clear
if start_saver; then
  first="0 0 0 0"
  for _ in $(seq 1 40); do
    screenshot "$E2E_OUT/logo-1.png"
    first=$(shown_box "$E2E_OUT/logo-1.png")
    [ "$first" != "0 0 0 0" ] && break
    sleep 0.2
  done
  sleep 1.5
  screenshot "$E2E_OUT/logo-2.png"
  second=$(shown_box "$E2E_OUT/logo-2.png")
  read -r w h _ _ <<<"$first"
  expect "the logo placeholder shows in a window of at most 350x250 ($first)" \
    [ "$w" -ge 100 -a "$w" -le 350 -a "$h" -ge 100 -a "$h" -le 250 ]
  expect "the logo moves ($first, then $second)" [ "$second" != "$first" -a "$second" != "0 0 0 0" ]
else
  fail "the logo placeholder shows" "no SaverWnd window"
fi
end_saver
# loaded_before_paint PROGRAM ARGS...: the system libraries the program has
# loaded when its first window paints (Wine's own trace of both), lower case, one a
# line; the program is ended once it has painted.
loaded_before_paint() {
  local trace="$E2E_OUT/loaddll.txt" i
  xdotool mousemove 400 300 2>/dev/null
  ( WINEDEBUG=+loaddll,+win timeout 30 "$WINE" "$@" >/dev/null 2>"$trace" ) &
  local job=$!
  for i in $(seq 1 100); do grep -q 'NtUserBeginPaint' "$trace" 2>/dev/null && break; sleep 0.1; done
  sleep 0.5
  xdotool key space 2>/dev/null
  for i in $(seq 1 50); do kill -0 "$job" 2>/dev/null || break; sleep 0.1; done
  pkill -P "$job" 2>/dev/null || true
  wait "$job" 2>/dev/null || true
  awk '/NtUserBeginPaint/ { exit }
       /trace:loaddll:build_module Loaded/ { n = split($0, p, "\\\\"); sub(/".*/, "", p[n])
         if (tolower(p[n]) ~ /\.(dll|drv)$/) print tolower(p[n]) }' "$trace" | sort -u
}

# Up to its first black frame the running saver loads no more than the bare
# black popup does: the multimedia library, the 3D controls and the audio
# drivers come after it.
store_playlist clear
bare=$(loaded_before_paint "$PELOR_BIN/pelor_bare_black.exe")
saver=$(loaded_before_paint "$PELOR_BIN/PELOR.SCR" /s)
extra=$(comm -13 <(printf '%s\n' "$bare") <(printf '%s\n' "$saver") | tr '\n' ' ')
expect "PELOR.SCR /s loads nothing before its first frame that the bare popup does not (bare: $(wc -l <<<"$bare") libraries; more: ${extra:-none})" \
  [ -n "$bare" -a -n "$saver" -a -z "$extra" ]
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
