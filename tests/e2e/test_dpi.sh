#!/usr/bin/env bash
# The saver on a screen scaled to 150% (LogPixels 144). Its manifest makes it
# DPI aware, so the system neither shrinks what it reports nor stretches what
# it draws: the full-screen window covers the whole screen and a movie at its
# own size is its own size in pixels. Wine 8 gives a program without the
# manifest the same unscaled screen, so here this guards the saver's own
# geometry at 150%; that the setting is in force shows in the settings
# window, whose dialog units grow with it.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-dpi"
mkdir -p "$media"
fixture avi "$media/red160.avi" 160 120 10 10 0

set_dpi() {  # set_dpi DOTS-PER-INCH
  timeout 30 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  timeout 30 "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# config_width: the settings window's width in pixels.
config_width() {
  local id width
  start_program "$PELOR_BIN/PELOR.SCR" /c
  id=$(find_window '^Pelorama$' 30)
  width=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p')
  stop_program
  echo "${width:-0}"
}

normal=$(config_width)
set_dpi 144
scaled=$(config_width)
expect "144 dpi is in force: the settings window is 1.4 to 1.6 times as wide ($normal, $scaled)" \
  [ "$normal" -gt 0 -a "$((scaled * 10))" -ge "$((normal * 14))" -a "$((scaled * 10))" -le "$((normal * 16))" ]
store_playlist Scale=1 File="$media/red160.avi" LoopInfinite=1
if start_saver && wait_colour 400 300 red 40 "$E2E_OUT/dpi-144.png"; then
  size=$(xdotool getwindowgeometry "$SAVER_WINDOW" 2>/dev/null | sed -n 's/^ *Geometry: //p')
  expect "at 144 dpi the saver's window covers the whole 800x600 screen ($size)" [ "$size" = 800x600 ]
  box=$(shown_box "$E2E_OUT/dpi-144.png")
  expect "a 160x120 movie at its own size is 160x120 pixels, centred (box $box)" [ "$box" = "160 120 320 240" ]
else
  fail "the saver plays at 144 dpi" "no red clip at the centre within 40 s"
fi
end_saver
set_dpi 96
store_playlist clear

[ "$E2E_FAILED" -eq 0 ]
