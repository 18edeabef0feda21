#!/usr/bin/env bash
# The stop and power-saver timers of the real PELOR.SCR /s: the movie plays
# until the period ends, then the screen stays black and the saver keeps
# running until the user ends it. A damaged period of 0 minutes counts as one
# minute, so the movie still plays first.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-timers"
mkdir -p "$media"
fixture avi "$media/green.avi" 160 120 20 10 1

# timer_run NAME SETTINGS...: the movie shows, is still there at 50 s, and
# the screen is black by 75 s with the saver still up; a key then ends it.
timer_run() {
  local name=$1; shift
  store_playlist "$@" File="$media/green.avi" LoopInfinite=1
  if ! start_saver || ! wait_colour 400 300 green 20 "$E2E_OUT/timer-$name.png"; then
    fail "$name: the movie plays first" "no green movie within 20 s"
    end_saver; return
  fi
  local started=$SECONDS
  pass "$name: the movie plays first"
  sleep $((50 - (SECONDS - started)))
  screenshot "$E2E_OUT/timer-$name-50.png"
  expect "$name: the movie still plays at 50 s" [ "$(colour_at "$E2E_OUT/timer-$name-50.png" 400 300)" = green ]
  local black=""
  while [ $((SECONDS - started)) -lt 75 ]; do
    screenshot "$E2E_OUT/timer-$name-end.png"
    if [ "$(shown_box "$E2E_OUT/timer-$name-end.png")" = "0 0 0 0" ]; then black=$((SECONDS - started)); break; fi
    sleep 0.5
  done
  expect "$name: after about a minute the screen is all black (at ${black:-never} s)" [ -n "$black" ]
  sleep 2
  expect "$name: the saver keeps running on the black screen" saver_running
  xdotool key space
  local rc
  rc=$(wait_program 10)
  expect "$name: a key then ends the saver with 0 (rc=$rc)" [ "$rc" = 0 ]
  stop_program
}

timer_run "stop timer, 0 minutes stored" Delay=1 DelayMinutes=0
timer_run "power saver, 1 minute" Power=1 PowerMinutes=1
store_playlist clear
exit $((E2E_FAILED > 0))
