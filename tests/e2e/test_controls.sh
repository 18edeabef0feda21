#!/usr/bin/env bash
# The run-mode controls of the real PELOR.SCR /s: skip keys walk the list,
# the mute and keypad keys do not end the saver, the stop timer and the power
# events stop and restart playback, and a resume ends the saver.
set -u
source "$(dirname "$0")/lib.sh"

# launch: PELOR.SCR /s with the pointer parked at the screen centre.
launch() { xdotool mousemove 400 300; start_program "$PELOR_BIN/PELOR.SCR" /s; }
media=$(mktemp -d "$E2E_OUT/controls.XXXXXX")
for hue in 0 1 2; do
  fixture avi "$media/clip$hue.avi" 160 120 40 10 "$hue" || fail "fixture clip$hue" "not written"
done
# Red, green, blue, each looping until a key ends it, in the middle of the screen.
store_playlist File="$media/clip0.avi" LoopInfinite=1 File="$media/clip1.avi" LoopInfinite=1 \
  File="$media/clip2.avi" LoopInfinite=1
use_password absent

plays() {  # true once a clip colour (not black) is at the screen centre
  local end=$((SECONDS + 15)) c
  while [ "$SECONDS" -lt "$end" ]; do
    screenshot "$E2E_OUT/controls-any.png"
    c=$(colour_at "$E2E_OUT/controls-any.png" 400 300)
    case $c in red|green|blue) return 0 ;; esac
    sleep 0.2
  done
  return 1
}

shows() {  # shows COLOUR NAME: waits for the movie colour at the screen centre
  expect "$2" wait_colour 400 300 "$1" 15 "$E2E_OUT/controls-$1.png"
}

launch; wnd=$(find_window '^SaverWnd$' 30)
if [ -z "$wnd" ]; then
  fail "the saver starts with three clips" "no SaverWnd"
else
  shows red "the first clip plays"
  xdotool key n;          shows green "N skips to the next clip"
  xdotool key Right;      shows blue "Right skips to the next clip"
  xdotool key Right;      shows red "Right after the last clip wraps to the first"
  xdotool key Left;       shows blue "Left goes back to the previous clip in list order"
  xdotool key Left;       shows green "Left again goes back once more"
  # xdotool reaches the keypad's decimal point only by toggling Num Lock,
  # which is itself activity; the helper sends VK_DECIMAL through Wine's queue.
  poke key 0x6E;          shows blue "keypad decimal point skips like N"
  for key in m m KP_Subtract KP_Subtract Up Down; do xdotool key "$key"; sleep 0.3; done
  sleep 1
  expect "M, keypad minus, Up and Down do not end the saver" saver_running
  shows blue "and the clip plays on"

  poke post 0x218 0 0 >/dev/null   # PBT_APMQUERYSUSPEND
  shows black "a suspend query stops playback: the screen goes black"
  sleep 1
  expect "the saver stays up while stopped" saver_running
  poke post 0x218 2 0 >/dev/null   # PBT_APMQUERYSUSPENDFAILED
  expect "a failed suspend resumes playback with a clip" plays
  poke post 0x113 5 0 >/dev/null   # WM_TIMER, the stop-playing timer
  shows black "the stop timer takes the movie away and leaves the screen black"
  sleep 2
  screenshot "$E2E_OUT/controls-stopped.png"
  expect "the screen stays black" [ "$(shown_box "$E2E_OUT/controls-stopped.png")" = "0 0 0 0" ]
  expect "and the saver still runs" saver_running
  xdotool key space
  rc=$(wait_program 5)
  expect "a key still ends the stopped saver (rc=$rc)" [ "$rc" = 0 ]
fi
stop_program

# A resume from suspend ends the saver (through the password step, which
# with no password setting lets it go at once).
launch; wnd=$(find_window '^SaverWnd$' 30)
if [ -n "$wnd" ]; then
  shows red "the saver plays again"
  poke post 0x218 7 0 >/dev/null   # PBT_APMRESUMESUSPEND
  rc=$(wait_program 5)
  expect "a resume event ends the saver (rc=$rc)" [ "$rc" = 0 ]
else
  fail "the saver starts again" "no SaverWnd"
fi
stop_program
store_playlist clear

[ "$E2E_FAILED" -eq 0 ]
