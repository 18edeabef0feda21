#!/usr/bin/env bash
# Two monitors: while PELOR.SCR /s plays on the primary one, the other is
# black; input over it ends the saver the way input over the primary does,
# password included; nothing of it is left when the saver ends. Runs on a
# display of its own (Xorg with the dummy driver, scripts/lib/xorg-dummy.sh)
# with a prefix of its own, since the shared virtual screen has one monitor;
# there it only checks that one monitor gets no cover.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/../../scripts/lib/wine-env.sh"
source "$here/../../scripts/lib/xorg-dummy.sh"

# One monitor, on the shared virtual screen: no cover at all.
store_playlist clear
if start_saver; then
  sleep 2
  expect "one monitor ($(poke monitors | tr '\n' ';')): the saver makes no cover ($(poke covers | tr '\n' ';'))" \
    [ "$(poke monitors | wc -l)" = 1 -a -z "$(poke covers)" ]
else
  fail "one monitor: the saver starts" "no SaverWnd"
fi
end_saver

trap 'stop_program; stop_white; wine_env_stop; xorg_dummy_stop' EXIT
if ! xorg_dummy_start; then
  fail "a two-monitor display starts (Xorg, dummy driver)" "Xorg or xrandr failed; is this root with xserver-xorg-video-dummy installed?"
  exit 1
fi
if ! USE_DISPLAY=$XORG_DUMMY_DISPLAY wine_env_start; then
  fail "a fresh prefix on the two-monitor display" "wineboot failed"
  exit 1
fi

WHITE_PID=""
# show_white L T R B: a white window of the test helper there, for as long
# as this script needs it.
show_white() {
  stop_white
  ( timeout 300 "$WINE" "$PELOR_BIN/pelor_poke.exe" white "$@" 300 >/dev/null 2>&1 ) &
  WHITE_PID=$!
}
stop_white() {
  [ -n "$WHITE_PID" ] || return 0
  pkill -P "$WHITE_PID" 2>/dev/null || true
  kill "$WHITE_PID" 2>/dev/null || true
  wait "$WHITE_PID" 2>/dev/null || true
  WHITE_PID=""
}

# launch_at X Y: PELOR.SCR /s with the pointer parked at (X, Y) of the X
# screen; true once its window is up.
launch_at() {
  xdotool mousemove "$1" "$2"
  start_program "$PELOR_BIN/PELOR.SCR" /s
  SAVER_WINDOW=$(find_window '^SaverWnd$' 40)
  [ -n "$SAVER_WINDOW" ]
}

# moves_end_it X Y: from a pointer resting at (X, Y), moves of 2 pixels leave
# the saver running and a move of 3 ends it; prints the exit code, or
# "kept" when a 2-pixel move ended it.
moves_end_it() {
  local x=$1 y=$2 rc step
  xdotool mousemove $((x + 2)) "$y"; sleep 0.3
  xdotool mousemove "$x" $((y + 2)); sleep 1.5
  saver_running || { echo kept; return; }
  # As in test_run_input.sh: should the 3-second reference reset fall just
  # before a move, that move only sets the reference, so step again.
  for step in 1 2 3; do
    xdotool mousemove $((x + 3 * step)) $((y + 5))
    rc=$(wait_program 1)
    [ "$rc" = running ] || break
  done
  [ "$rc" = running ] && rc=$(wait_program 10)
  echo "$rc"
}

# monitors_listed: the system's monitors as "L T R B primary|other;..." in order.
monitors_listed() { poke monitors | sort | tr '\n' ';'; }
# wait_monitors LIST SECONDS: true once the system reports LIST; the display
# server tells Wine's desktop process about a new layout a moment later.
wait_monitors() {
  local end=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$end" ]; do
    [ "$(monitors_listed)" = "$1" ] && return 0
    sleep 0.5
  done
  return 1
}

# saver_windows: how many X windows of the saver's process are mapped.
saver_windows() { xwininfo -root -tree 2>/dev/null | grep -c '"pelor.scr"'; }

media="$E2E_OUT/media-monitors"
mkdir -p "$media"
fixture avi "$media/red320.avi" 320 180 30 10 0
# Full screen with letterbox: red over (0,75)-(800,525) of the primary monitor.
store_playlist Scale=4 Letterbox=1 File="$media/red320.avi" LoopInfinite=1

# check_arrangement NAME PRIMARY-X OTHER-X OTHER-LEFT: the whole story on
# one arrangement. PRIMARY-X and OTHER-X are the X screen's columns of the
# two monitors' centres; OTHER-LEFT is where the system puts the other one.
check_arrangement() {
  local name=$1 px=$2 ox=$3 left=$4 listed rc
  listed=$(printf '%s\n' "0 0 800 600 primary" "$left 0 $((left + 800)) 600 other" | sort | tr '\n' ';')
  wait_monitors "$listed" 15
  expect "$name: the system reports both monitors ($(monitors_listed))" [ "$(monitors_listed)" = "$listed" ]
  show_white "$left" 0 $((left + 800)) 600
  expect "$name: the helper's white window covers the other monitor before the saver starts" \
    wait_colour "$ox" 300 white 40 "$E2E_OUT/monitors-$name-before.png"
  # The pointer rests over the other monitor from the start, where the
  # movement checks need it.
  if launch_at "$ox" 300 && wait_colour "$px" 300 red 40 "$E2E_OUT/monitors-$name.png"; then
    sleep 0.5
    shot="$E2E_OUT/monitors-$name.png"
    screenshot "$shot"
    local other="$(colour_at "$shot" "$ox" 300) $(colour_at "$shot" $((ox - 399)) 0) $(colour_at "$shot" $((ox + 399)) 599)"
    expect "$name: the other monitor is black edge to edge ($other)" [ "$other" = "black black black" ]
    expect "$name: the movie plays on the primary monitor ($(colour_at "$shot" "$px" 300))" \
      [ "$(colour_at "$shot" "$px" 300)" = red ]
    expect "$name: one topmost cover, exactly over the other monitor ($(poke covers | tr '\n' ';'))" \
      [ "$(poke covers | tr '\n' ';')" = "$left 0 $((left + 800)) 600 topmost;" ]
    sleep 1
    expect "$name: the cover took nothing from the saver: it still runs" saver_running
    rc=$(moves_end_it "$ox" 300)
    expect "$name: over the other monitor 2-pixel moves stay and a 3-pixel move ends the saver with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
    sleep 1
    expect "$name: no window of the saver is left ($(saver_windows))" [ "$(saver_windows)" = 0 ]
  else
    fail "$name: the saver plays on the primary monitor" "no SaverWnd or no red picture within 40 s"
  fi
  stop_program
  # A click over the other monitor ends it too.
  if launch_at "$ox" 300; then
    sleep 2
    xdotool click 1
    rc=$(wait_program 10)
    expect "$name: a click over the other monitor ends the saver with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
  else
    fail "$name: the saver starts for the click" "no SaverWnd"
  fi
  stop_program
  # The in-process cases at the real windows, on this arrangement.
  local log="$E2E_OUT/monitors-$name-wintests.log"
  timeout 300 "$WINE" "$PELOR_BIN/pelor_win_tests.exe" --gtest_filter='MonitorCover.*' >"$log" 2>&1
  rc=$?
  expect "$name: the in-process cover tests pass ($(grep -c '^\[       OK \]' "$log") ok, rc=$rc, $log)" \
    [ "$rc" = 0 -a "$(grep -c '^\[       OK \]' "$log")" = 4 ]
  stop_white
}

check_arrangement right 400 1200 800
xorg_dummy_arrange left
# The X screen's left half is now the other monitor, at negative coordinates.
check_arrangement left 1200 400 -800

# The password step over the other monitor: the dialog holds the saver and
# the cover stays; the right password ends it.
xorg_dummy_arrange right
wait_monitors "0 0 800 600 primary;800 0 1600 600 other;" 15
secret='Mon1tor#2'
timeout 30 "$WINE" reg delete 'HKCU\Software\Tolvane Arts\Password' /f >/dev/null 2>&1
expect "the stand-in's change dialog stores a password" [ "$(poke set-password "$secret"; echo $?)" = 0 ]
use_password 1
store_playlist clear
if launch_at 1200 300; then
  sleep 3.5
  # Steps of 3 pixels until one is taken as activity (see moves_end_it).
  for step in 1 2 3; do
    xdotool mousemove $((1200 + 3 * step)) 303
    wait_dialogs 1 2 && break
  done
  expect "with a password, a 3-pixel move over the other monitor asks for it" wait_dialogs 1 10
  expect "and the saver goes on while the dialog is up" saver_running
  expect "the cover stays while it is up ($(poke covers | tr '\n' ';'))" [ "$(poke covers | tr '\n' ';')" = "800 0 1600 600 topmost;" ]
  xdotool key Escape
  expect "cancelling it closes the dialog" wait_dialogs 0 10
  sleep 1
  expect "and the saver still runs, with its cover ($(poke covers | tr '\n' ';'))" \
    [ "$(saver_running && poke covers | tr '\n' ';')" = "800 0 1600 600 topmost;" ]
  xdotool click 1
  if wait_dialogs 1 10; then
    d=$(find_window '^Screen Saver Password$' 5)
    if [ -n "$d" ]; then
      eval "$(xdotool getwindowgeometry --shell "$d" 2>/dev/null | grep -E '^(X|Y)=')"
      xdotool mousemove $((X + 150)) $((Y + 60)) click 1
      sleep 0.3
    fi
    xdotool type --delay 20 "$secret"
    xdotool key Return
    rc=$(wait_program 10)
    expect "the right password ends the saver with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
    sleep 1
    expect "no window of the saver is left ($(saver_windows))" [ "$(saver_windows)" = 0 ]
  else
    fail "a click over the other monitor asks for the password again" "no dialog"
  fi
else
  fail "the saver starts with a password" "no SaverWnd"
fi
stop_program
use_password absent

[ "$E2E_FAILED" -eq 0 ]
