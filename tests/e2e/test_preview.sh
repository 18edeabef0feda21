#!/usr/bin/env bash
# Preview mode: PELOR.SCR /p <window> inside a 152 x 112 host window at
# (100, 100) fills it black and draws the 100 x 100 logo with its top-left
# corner at (26, 6) of the host; destroying the host ends the saver.
set -u
source "$(dirname "$0")/lib.sh"
logo="$PELOR_BIN/../saver/app/logo.bmp"   # the bitmap the build put in the resources

start_program "$PELOR_BIN/pelor_preview_host.exe" "$(win_path "$PELOR_BIN/PELOR.SCR")" 8 100 100 152 112
if [ -n "$(find_window '^PreviewHost$' 20)" ]; then
  shot="$E2E_OUT/preview.png"
  box="0 0 0 0"
  for _ in $(seq 1 30); do
    sleep 0.2
    screenshot "$shot"
    box=$(shown_box "$shot")
    [ "$(colour_at "$shot" 105 105)" = black ] && [ "$box" != "0 0 0 0" ] && break
  done
  expect "the preview fills the host window black" [ "$(colour_at "$shot" 105 105) $(colour_at "$shot" 250 210)" = "black black" ]
  expect "the logo's top-left corner is at (26, 6) of the host, 100x100 (box $box)" [ "$box" = "100 100 126 106" ]
  if [ -f "$logo" ]; then
    convert "$shot" -crop 100x100+126+106 +repage "$E2E_OUT/preview-logo.png"
    diff=$(compare -metric AE "$E2E_OUT/preview-logo.png" "$logo" null: 2>&1)
    expect "the preview shows the logo bitmap pixel for pixel ($diff pixels differ)" [ "$diff" = 0 ]
  else
    fail "the preview shows the logo bitmap pixel for pixel" "no $logo"
  fi
  rc=$(wait_program 20)
  expect "destroying the host window ends the preview with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
else
  fail "the preview host starts" "no PreviewHost window"
fi
stop_program

# A handle that names no window: nothing is created and the program ends.
start_program "$PELOR_BIN/PELOR.SCR" /p 123456
rc=$(wait_program 20)
expect "/p with a handle that names no window ends at once (rc=$rc)" [ "$rc" = 0 ]
stop_program
[ "$E2E_FAILED" -eq 0 ]
