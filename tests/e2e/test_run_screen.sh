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
  if [ -n "$card" ]; then
    centre=$((x + w / 2)); bottom=$((y + h))
    expect "the title is centred horizontally (centre x $centre)" [ "$centre" -ge 396 -a "$centre" -le 404 ]
    expect "the title stands on the middle line (bottom y $bottom)" [ "$bottom" -ge 296 -a "$bottom" -le 302 ]
    expect "the title's capitals fit a 40-pixel font (height $h)" [ "$h" -ge 20 -a "$h" -le 42 ]
    brightest=$(convert "$E2E_OUT/title.png" -crop "${w}x${h}+${x}+${y}" -colorspace gray -format '%[fx:int(255*maxima)]' info:)
    expect "the title is white (brightest $brightest)" [ "$brightest" -ge 240 ]
    expect "the movie follows the title card" wait_colour 400 300 green 20
  else
    fail "a title card shows before the movie" "nothing but black within 8 s"
  fi
else
  fail "a title card shows before the movie" "no SaverWnd window"
fi
end_saver

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
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
