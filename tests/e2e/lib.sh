# Helpers for the end-to-end scripts: they run the real programs under Wine on
# the virtual screen that scripts/test.sh started, look at the screen, send
# input and check exit codes. Each check prints one "PASS name" or
# "FAIL name: why" line; the runner counts them.

E2E_FAILED=0

pass() { echo "PASS $1"; }
fail() { echo "FAIL $1: $2"; E2E_FAILED=$((E2E_FAILED + 1)); }

# expect NAME CONDITION-COMMAND...: PASS when the command succeeds.
expect() {
  local name=$1; shift
  if "$@"; then pass "$name"; else fail "$name" "$*"; fi
}

# start_program PATH ARGS...: starts a Windows program in the background;
# its pid is in $PROGRAM_PID and its exit code later in $PROGRAM_RC_FILE.
start_program() {
  PROGRAM_RC_FILE=$(mktemp "$E2E_OUT/rc.XXXXXX")
  ( set +e; timeout "${E2E_PROGRAM_TIMEOUT:-120}" "$WINE" "$@" >/dev/null 2>&1; echo $? >"$PROGRAM_RC_FILE" ) &
  PROGRAM_PID=$!
}

# wait_program SECONDS: waits for the program started last; prints its exit
# code, or "running" when it is still running after SECONDS.
wait_program() {
  local limit=$(( $1 * 10 )) i
  for ((i = 0; i < limit; i++)); do
    if [ -s "$PROGRAM_RC_FILE" ]; then cat "$PROGRAM_RC_FILE"; return; fi
    sleep 0.1
  done
  echo running
}

# stop_program: ends the program started last, whatever state it is in.
stop_program() {
  [ -n "${PROGRAM_PID:-}" ] || return 0
  pkill -P "$PROGRAM_PID" 2>/dev/null || true
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=""
}

# find_window NAME-REGEX SECONDS: prints the first matching window id.
find_window() {
  timeout "$2" bash -c 'until id=$(xdotool search --onlyvisible --name "$0" 2>/dev/null | head -n 1) && [ -n "$id" ]; do sleep 0.1; done; echo "$id"' "$1" 2>/dev/null
}

# screenshot FILE: the whole virtual screen.
screenshot() { import -window root "$1" 2>/dev/null; }

# press_in WINDOW KEY: gives the window the focus and presses the key.
press_in() {
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null || true
  xdotool key "$2"
}

# --- controls and the screen-saver password ---

# poke ARGS...: the helper inside Wine that posts messages and input to the
# running saver and counts password dialogs (tests/win/poke/SaverPoke.cpp).
poke() { timeout "${POKE_TIMEOUT:-60}" "$WINE" "$PELOR_BIN/pelor_poke.exe" "$@" | tr -d '\r'; }

# use_password 0|1|absent: the desktop's "ScreenSaveUsePassword" value.
use_password() {
  if [ "$1" = absent ]; then
    timeout 30 "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /f >/dev/null 2>&1 || true
  else
    timeout 30 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  fi
}

# wait_dialogs N SECONDS: true once exactly N password dialogs are open.
wait_dialogs() {
  local end=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$end" ]; do
    [ "$(poke dialogs)" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}
