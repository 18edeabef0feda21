# Helpers for the end-to-end scripts: they run the real programs under Wine on
# the virtual screen that scripts/test.sh started, look at the screen, send
# input and check exit codes. Each check prints one "PASS name" or
# "FAIL name: why" line; the runner counts them.

E2E_FAILED=0

pass() { echo "PASS $1"; }
# fail NAME WHY: the line names the script and line the check came from
# (the first caller outside this file).
fail() {
  local i where=""
  for ((i = 1; i < ${#BASH_SOURCE[@]}; i++)); do
    if [ "${BASH_SOURCE[$i]}" != "${BASH_SOURCE[0]}" ]; then
      where=" (${BASH_SOURCE[$i]##*/}:${BASH_LINENO[$((i - 1))]})"
      break
    fi
  done
  echo "FAIL $1$where: $2"; E2E_FAILED=$((E2E_FAILED + 1))
}

# expect NAME CONDITION-COMMAND...: PASS when the command succeeds.
expect() {
  local name=$1; shift
  if "$@"; then pass "$name"; else fail "$name" "$*"; fi
}

# start_program PATH ARGS...: starts a Windows program in the background;
# its pid is in $PROGRAM_PID and its exit code later in $PROGRAM_RC_FILE.
start_program() {
  PROGRAM_RC_FILE=$(mktemp "$E2E_OUT/rc.XXXXXX")
  # The background job keeps no pipe of the caller's open, so a caller inside
  # $(...) is not held until the program ends.
  ( set +e; timeout "${E2E_PROGRAM_TIMEOUT:-120}" "$WINE" "$@" >/dev/null 2>&1; echo $? >"$PROGRAM_RC_FILE" ) >/dev/null 2>&1 &
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

# --- playing: fixtures, playlists, the running saver, pixels ---

# The native tree's tools (the fixture writer) sit beside the Windows tree.
PELOR_NATIVE_BIN=${PELOR_NATIVE_BIN:-$PELOR_BIN/../../native/bin}

# fixture avi|wav OUT ARGS...: writes a media file (see tools/fixtures/Main.cpp).
fixture() { "$PELOR_NATIVE_BIN/pelor_fixture" "$@"; }

# store_playlist Name=Value... File=PATH ...: replaces the saver's settings;
# store_playlist clear removes them. Linux paths become Z: paths.
store_playlist() { timeout 60 "$WINE" "$PELOR_BIN/pelor_store_playlist.exe" "$@" >/dev/null; }

# start_saver: PELOR.SCR /s with the pointer parked at the screen centre;
# true once its full-screen window is visible, whose id is then in
# $SAVER_WINDOW. Not to be called in a subshell: it starts the program.
start_saver() {
  xdotool mousemove 400 300 2>/dev/null
  start_program "$PELOR_BIN/PELOR.SCR" /s
  SAVER_WINDOW=$(find_window '^SaverWnd$' 30)
  [ -n "$SAVER_WINDOW" ]
}

# saver_running: true while the program started last has not ended.
saver_running() { [ ! -s "$PROGRAM_RC_FILE" ]; }

# pixel FILE X Y: "R G B" (0-255) of one pixel of a screenshot.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n 's/.*#\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\).*/\1 \2 \3/p' |
    { read -r r g b && printf '%d %d %d\n' "0x$r" "0x$g" "0x$b"; }
}

# colour_of R G B: black, white, red, green, blue, yellow, cyan, magenta or
# other; a channel counts as on above 100 and off below 60.
colour_of() {
  local name="" c
  for c in "$1" "$2" "$3"; do
    if [ "$c" -gt 100 ]; then name+=1; elif [ "$c" -lt 60 ]; then name+=0; else name+=x; fi
  done
  case $name in
    000) echo black ;; 111) echo white ;; 100) echo red ;; 010) echo green ;; 001) echo blue ;;
    110) echo yellow ;; 011) echo cyan ;; 101) echo magenta ;; *) echo other ;;
  esac
}

# colour_at FILE X Y: the colour name of one pixel of a screenshot.
# shellcheck disable=SC2046
colour_at() { colour_of $(pixel "$1" "$2" "$3"); }

# shown_box FILE: "W H X Y" of the smallest box holding every pixel that is
# not black; "0 0 0 0" for an all-black screen.
shown_box() {
  local w h x y
  read -r w h x y < <(convert "$1" -bordercolor black -border 1 -fuzz 8% -trim \
    -format '%w %h %X %Y\n' info: 2>/dev/null)
  if [ -z "${x:-}" ] || [ "$x" = -1 ]; then echo "0 0 0 0"; return; fi
  echo "$w $h $((x - 1)) $((y - 1))"
}

# wait_colour X Y COLOUR SECONDS [FILE]: takes screenshots into FILE until the
# pixel at (X, Y) has COLOUR (see colour_of); false when it never does.
wait_colour() {
  local end=$((SECONDS + $4)) f=${5:-$E2E_OUT/poll.png}
  while [ "$SECONDS" -lt "$end" ]; do
    screenshot "$f"
    [ "$(colour_at "$f" "$1" "$2")" = "$3" ] && return 0
    sleep 0.2
  done
  return 1
}

# end_saver: ends the saver started last with a key, then makes sure it is gone.
end_saver() {
  saver_running && xdotool key space 2>/dev/null
  wait_program 15 >/dev/null
  stop_program
}

# win_path PATH: the Z: drive path Wine gives a Linux path.
win_path() { local p=${1//\//\\}; echo "Z:$p"; }

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

# colours_seen SECONDS [NAME]: the colours seen at the screen centre, in
# order, each once, until yellow (the playlists' last item) shows, the saver
# ends or SECONDS pass. Screenshots go to $E2E_OUT/NAME.png.
colours_seen() { sed -E 's/:[0-9]+//g' <<<"$(timeline "$1" "${2:-colours}")"; }

# timeline SECONDS [NAME]: like colours_seen, each colour with the
# milliseconds since the call at which it first showed ("red:120
# green:3300 ..."), until yellow shows, the saver ends or SECONDS pass.
# Screenshots go to $E2E_OUT/NAME.png.
timeline() {
  local seen="" out="" c t0 end=$((SECONDS + $1)) shot="$E2E_OUT/${2:-timeline}.png"
  t0=$(date +%s%N)
  while [ "$SECONDS" -lt "$end" ] && saver_running; do
    screenshot "$shot"
    c=$(colour_at "$shot" 400 300)
    case " $seen " in *" $c "*) ;; *)
      [ "$c" = black ] || { seen="$seen $c"; out="$out $c:$(( ($(date +%s%N) - t0) / 1000000 ))"; } ;; esac
    [ "$c" = yellow ] && break
    sleep 0.2
  done
  echo "${out# }"
}

# at COLOUR TIMELINE: the milliseconds at which COLOUR showed, or -1.
at() { local e; for e in $2; do [ "${e%%:*}" = "$1" ] && { echo "${e#*:}"; return; }; done; echo -1; }
