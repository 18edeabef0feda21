#!/usr/bin/env bash
# What ends the running saver: a mouse move of 3 pixels, a click or a key
# other than the controls; a move of 2 pixels does not. It always exits 0.
set -u
source "$(dirname "$0")/lib.sh"
store_playlist clear   # the logo: nothing to load, so the saver is ready at once

# ends_after NAME ACTION...: starts the saver, lets it settle, runs the
# action and expects the process to end with exit code 0.
ends_after() {
  local name=$1 rc; shift
  if ! start_saver; then fail "$name" "no SaverWnd window"; stop_program; return; fi
  sleep 2
  "$@"
  rc=$(wait_program 10)
  expect "$name ends the saver with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
  stop_program
}

# The pointer rests at (400, 300), which the saver takes as its reference.
if start_saver; then
  sleep 2
  xdotool mousemove 402 300; sleep 0.3
  xdotool mousemove 400 302; sleep 1.5
  expect "mouse moves of 2 pixels leave the saver running" saver_running
  # (403, 305) is 3 pixels or more from every position the saver may hold as
  # its reference. Should the 3-second reference reset fall just before a
  # move, that move only sets the reference, so step 3 pixels further at most
  # twice, each well within the next 3 seconds.
  x=403
  for _ in 1 2 3; do
    xdotool mousemove "$x" 305
    rc=$(wait_program 1)
    [ "$rc" = running ] || break
    x=$((x + 3))
  done
  [ "$rc" = running ] && rc=$(wait_program 10)
  expect "a mouse move of 3 pixels ends the saver with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
  stop_program
else
  fail "the saver starts for the mouse checks" "no SaverWnd window"
fi

ends_after "a left click" xdotool click 1
ends_after "a right click" xdotool click 3
ends_after "the space bar" xdotool key space
ends_after "Escape" xdotool key Escape
ends_after "Shift" xdotool key shift
expect "no saver window is left" [ -z "$(xdotool search --onlyvisible --name '^SaverWnd$' 2>/dev/null | head -n 1)" ]
[ "$E2E_FAILED" -eq 0 ]
