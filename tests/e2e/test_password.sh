#!/usr/bin/env bash
# The screen-saver password on the way out of PELOR.SCR /s: nobody gets past
# it, the right password ends the saver at once, and without the setting or
# the component the first activity ends the saver without a dialog.
set -u
source "$(dirname "$0")/lib.sh"

# launch: PELOR.SCR /s with the pointer parked at the screen centre.
launch() { xdotool mousemove 400 300; start_program "$PELOR_BIN/PELOR.SCR" /s; }

# answer TEXT: clicks into the open password dialog's text field, which gives
# it the keyboard, and types TEXT, without Return.
answer() {
  local d x y
  d=$(find_window '^Screen Saver Password$' 5)
  if [ -n "$d" ]; then
    eval "$(xdotool getwindowgeometry --shell "$d" 2>/dev/null | grep -E '^(X|Y)=')"
    xdotool mousemove $((X + 150)) $((Y + 60)) click 1
    sleep 0.3
  fi
  xdotool keyup Alt_L Shift_L Control_L 2>/dev/null
  xdotool type --delay 20 "$1"
}
secret='Zq7#Lw9!k2'
STORM_EVENTS=${STORM_EVENTS:-10000}

timeout 30 "$WINE" reg delete 'HKCU\Software\Tolvane Arts\Password' /f >/dev/null 2>&1
expect "the stand-in's change dialog stores a password" [ "$(poke set-password "$secret"; echo $?)" = 0 ]
store_playlist clear

# Without the setting, or with the component missing, the first key ends the
# saver at once. A dialog would hold it up: nobody answers one here.
for setting in absent 0; do
  use_password "$setting"
  launch; wnd=$(find_window '^SaverWnd$' 30)
  if [ -n "$wnd" ]; then
    sleep 1
    xdotool key Escape
    rc=$(wait_program 5)
    expect "ScreenSaveUsePassword $setting: Escape ends the saver without a dialog (rc=$rc)" [ "$rc" = 0 ]
  else
    fail "ScreenSaveUsePassword $setting: the saver starts" "no SaverWnd"
  fi
  stop_program
done

use_password 1
lonely=$(mktemp -d "$E2E_OUT/no-component.XXXXXX")
cp "$PELOR_BIN/PELOR.SCR" "$lonely/PELOR.SCR"
xdotool mousemove 400 300
# Run from its own folder, so the loader finds no PASSWORD.CPL anywhere near.
pushd "$lonely" >/dev/null
start_program "$lonely/PELOR.SCR" /s
popd >/dev/null
if [ -n "$(find_window '^SaverWnd$' 30)" ]; then
  sleep 1
  xdotool click 1
  rc=$(wait_program 5)
  expect "password required but no PASSWORD.CPL beside the saver: a click ends it (rc=$rc)" [ "$rc" = 0 ]
else
  fail "the saver starts without the component" "no SaverWnd"
fi
stop_program

# With the setting and the component: a storm of input, none of it the password.
# The storm takes minutes, longer than a program is usually given.
E2E_PROGRAM_TIMEOUT=900 launch; wnd=$(find_window '^SaverWnd$' 30)
if [ -z "$wnd" ]; then
  fail "the saver starts with a password" "no SaverWnd"
else
  sleep 1
  start=$SECONDS
  summary=$(POKE_TIMEOUT=600 poke storm "$STORM_EVENTS" 4242)
  echo "storm ($((SECONDS - start)) s): $summary"
  field() { sed -n "s/.* $1 \([0-9]*\).*/\1/p" <<<" $summary"; }
  expect "the storm sent $STORM_EVENTS events ($(field events))" [ "$(field events)" = "$STORM_EVENTS" ]
  expect "never more than one password dialog at a time ($(field most-dialogs))" [ "$(field most-dialogs)" = 1 ]
  seen=$(field dialogs-seen)
  expect "the storm met the password dialog again and again (${seen:-0})" [ "${seen:-0}" -ge 10 ]
  expect "the saver window survived the storm" [ "$(field saver-alive)" = 1 ]
  sleep 1
  expect "the saver process is still running after the storm" saver_running
  screenshot "$E2E_OUT/password-after-storm.png"

  # Any dialog left open is cancelled; then one activity asks afresh.
  [ "$(poke dialogs)" = 1 ] && { xdotool key Escape; wait_dialogs 0 5; }
  poke post 0x218 7 0 >/dev/null    # PBT_APMRESUMESUSPEND
  expect "a resume event asks for the password" wait_dialogs 1 10
  answer 'not it'; xdotool key Return
  expect "a wrong password closes the dialog" wait_dialogs 0 10
  sleep 1
  expect "and leaves the saver running" saver_running
  poke post 16 0 0 >/dev/null
  poke post 16 0 0 >/dev/null
  expect "two close requests open one dialog" wait_dialogs 1 10
  sleep 1
  expect "still exactly one" [ "$(poke dialogs)" = 1 ]
  screenshot "$E2E_OUT/password-dialog.png"
  if saver_running; then
    answer "$secret"
    t0=$(date +%s%N)
    xdotool key Return
    rc=$(wait_program 5)
    ms=$(( ($(date +%s%N) - t0) / 1000000 ))
    expect "the right password ends the saver at once (rc=$rc, ${ms} ms)" [ "$rc" = 0 ]
  else
    fail "the right password ends the saver at once" "the saver had already ended"
  fi
fi
stop_program
# Change password for real: PELOR.SCR /a reaches the component's change
# dialog through our MPR.DLL beside it; a new password typed twice is the one
# the saver then asks for.
timeout 30 "$WINE" reg delete 'HKCU\Software\Tolvane Arts\Password' /f >/dev/null 2>&1
use_password absent
fresh='Nw5%tR8q'
start_program "$PELOR_BIN/PELOR.SCR" /a
change=$(find_window '^Change Password$' 20)
if [ -z "$change" ]; then
  fail "/a shows the change-password dialog" "no Change Password window"
else
  pass "/a shows the change-password dialog"
  eval "$(xdotool getwindowgeometry --shell "$change" 2>/dev/null | grep -E '^(X|Y)=')"
  xdotool keyup Alt_L Shift_L Control_L 2>/dev/null
  xdotool mousemove $((X + 200)) $((Y + 75)) click 1; sleep 0.3
  xdotool type --delay 20 "$fresh"
  xdotool mousemove $((X + 200)) $((Y + 105)) click 1; sleep 0.3
  xdotool type --delay 20 "$fresh"
  screenshot "$E2E_OUT/change-password-typed.png"
  xdotool key Return
  # The confirmation box, then the end of the program.
  for _ in 1 2 3; do
    rc=$(wait_program 2)
    [ "$rc" = running ] || break
    box=$(xdotool search --onlyvisible --name '^Change Password$' 2>/dev/null | tail -n 1)
    [ -n "$box" ] && press_in "$box" Return
  done
  rc=$(wait_program 10)
  expect "confirming the new password ends /a (rc=$rc)" [ "$rc" = 0 ]
  expect "the component stored a password" \
    timeout 30 "$WINE" reg query 'HKCU\Software\Tolvane Arts\Password' >/dev/null 2>&1
fi
stop_program

use_password 1
launch; wnd=$(find_window '^SaverWnd$' 30)
if [ -z "$wnd" ]; then
  fail "the saver starts after the change" "no SaverWnd"
else
  sleep 1
  xdotool key Escape
  expect "a key asks for the password set through /a" wait_dialogs 1 10
  answer "$secret"; xdotool key Return
  expect "the old password no longer ends the saver" wait_dialogs 0 10
  sleep 1
  expect "the saver holds" saver_running
  xdotool key Escape
  expect "the next key asks again" wait_dialogs 1 10
  answer "$fresh"; xdotool key Return
  rc=$(wait_program 5)
  expect "the password typed into /a ends the saver (rc=$rc)" [ "$rc" = 0 ]
fi
stop_program
use_password absent
timeout 30 "$WINE" reg delete 'HKCU\Software\Tolvane Arts\Password' /f >/dev/null 2>&1

[ "$E2E_FAILED" -eq 0 ]
