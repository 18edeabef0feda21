#!/usr/bin/env bash
# The saver on a screen scaled to 150% (LogPixels 144). Its manifest makes it
# per-monitor DPI aware (and the start-up calls do in run mode where the
# manifest is not read), so the system neither shrinks what it reports nor
# stretches what it draws: the full-screen window covers the whole screen and
# a movie at its own size is its own size in pixels. Wine 8 gives a program
# without the manifest the same unscaled screen and one DPI for every
# monitor, so here this guards the saver's own geometry at 150%; that the
# setting is in force shows in the settings window, whose dialog units grow
# with it, with the Other monitors row still in its place.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
media="$E2E_OUT/media-dpi"
mkdir -p "$media"
fixture avi "$media/red160.avi" 160 120 10 10 0

set_dpi() {  # set_dpi DOTS-PER-INCH
  timeout 30 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  timeout 30 "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# config_layout: the settings window's width, then "X Y W H" of the Other
# monitors label and drop-down, Show Titles and OK, in pixels.
config_layout() {
  local id width
  start_program "$PELOR_BIN/PELOR.SCR" /c
  id=$(find_window '^Pelorama$' 30)
  width=$(xdotool getwindowgeometry "$id" 2>/dev/null | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p')
  echo "${width:-0} $(dlg rect Pelorama $IDC_MONITORS_LABEL) $(dlg rect Pelorama $IDC_MONITORS)" \
    "$(dlg rect Pelorama $IDC_TITLES) $(dlg rect Pelorama 1)"
  [ -n "${1:-}" ] && screenshot "$1"
  stop_program
}

read -r normal _ _ _ _ _ _ normal_combo _ _ _ _ _ _ _ _ _ _ < <(config_layout)
set_dpi 144
read -r scaled lx ly lw lh cx cy cw ch tx ty tw th ox oy ow oh < <(config_layout "$E2E_OUT/dpi-144-config.png")
expect "144 dpi is in force: the settings window is 1.4 to 1.6 times as wide ($normal, $scaled)" \
  [ "$normal" -gt 0 -a "$((scaled * 10))" -ge "$((normal * 14))" -a "$((scaled * 10))" -le "$((normal * 16))" ]
expect "at 144 dpi Other monitors grows with the window ($normal_combo, ${cw:-0} pixels wide)" \
  [ "${normal_combo:-0}" -gt 0 -a "$((${cw:-0} * 10))" -ge "$((normal_combo * 14))" -a "$((${cw:-0} * 10))" -le "$((normal_combo * 16))" ]
expect "at 144 dpi its label ends before it, it stands below Show Titles and above OK" \
  [ -n "${oh:-}" -a "$((lx + lw))" -le "$cx" -a "$cy" -ge "$((ty + th))" -a "$((cy + ch))" -le "$oy" ]
# In the window's own font at 144 dpi: the label and each choice fit.
monitors_row_fits() {
  timeout 120 "$WINE" "$PELOR_BIN/pelor_win_tests.exe" --gtest_filter=ConfigWin.OtherMonitorsFitsInsideTheGroup >/dev/null 2>&1
}
expect "at 144 dpi the texts of Other monitors fit where they stand (in-process)" monitors_row_fits
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
# The same program without its manifest: what the start-up calls give it
# alone (Wine 8 knows SetProcessDpiAwarenessContext but not its V2, and
# answers the first version as already set).
if PELOR_BIN="$PELOR_BIN/no-manifest" start_saver && wait_colour 400 300 red 40 "$E2E_OUT/dpi-144-no-manifest.png"; then
  size=$(xdotool getwindowgeometry "$SAVER_WINDOW" 2>/dev/null | sed -n 's/^ *Geometry: //p')
  box=$(shown_box "$E2E_OUT/dpi-144-no-manifest.png")
  expect "without the manifest, at 144 dpi the window covers the screen ($size) and the movie is 160x120 ($box)" \
    [ "$size" = 800x600 -a "$box" = "160 120 320 240" ]
else
  fail "the saver without its manifest plays at 144 dpi" "no red clip at the centre within 40 s"
fi
end_saver
set_dpi 96
store_playlist clear

[ "$E2E_FAILED" -eq 0 ]
