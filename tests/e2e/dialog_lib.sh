# Helpers for the end-to-end scripts that drive the saver's settings window
# (PELOR.SCR /c) with real clicks and keys, read its controls through
# pelor_dialog and its stored settings through Wine's reg tool.
# Sourced after lib.sh.

CONFIG_KEY='HKCU\Software\Tolvane Arts\PELOR\Config'

# The saver's control, command, dialog and string ids, as shell variables
# generated from its resource.h ($IDC_DOWN, $IDD_CONFIG, ...): the scripts
# name controls as the code does.
eval "$(sed -nE 's/^#define (ID[A-Z0-9_]+) ([0-9]+)[[:space:]]*$/\1=\2/p' \
  "$(dirname "${BASH_SOURCE[0]}")/../../saver/resources/resource.h")"

# dlg ARGS...: pelor_dialog (see tools/wintools/DialogRead.cpp), one line a value.
dlg() { timeout 30 "$WINE" "$PELOR_BIN/pelor_dialog.exe" "$@" 2>/dev/null | tr -d '\r'; }

# reg_value NAME: a value of the "Config" section as stored: a REG_SZ's text,
# a REG_DWORD in decimal; nothing when the value is absent.
reg_value() {
  local line
  line=$(timeout 30 "$WINE" reg query "$CONFIG_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    grep -E "^ +$(sed 's/\./\\./g' <<<"$1") +REG_")
  [ -n "$line" ] || return 0
  local type value
  type=$(sed -E 's/^ +[^ ]+ +(REG_[A-Z_]+).*/\1/' <<<"$line")
  value=$(sed -E 's/^ +[^ ]+ +REG_[A-Z_]+ {0,4}//' <<<"$line")
  if [ "$type" = REG_DWORD ]; then printf '%d\n' "$value"; else printf '%s\n' "$value"; fi
}

# export_config FILE: the "Config" section as a .reg file (empty when absent).
# Wine's reg once wrote nothing for a section that was there: it is asked
# again before the section counts as absent.
export_config() {
  local try
  for try in 1 2 3; do
    rm -f "$1"
    timeout 30 "$WINE" reg export "$CONFIG_KEY" "$(win_path "$1")" /y >/dev/null 2>&1 && [ -s "$1" ] && return 0
  done
  : >"$1"
}

# click_at X Y: one left click at a screen point.
click_at() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }

# click_control CAPTION ID [BUTTON-COUNT]: clicks the middle of a control of
# the top-level window with that caption; false when there is no such control.
click_control() {
  local x y w h
  read -r x y w h < <(dlg rect "$1" "$2") || return 1
  [ -n "${h:-}" ] || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat "${3:-1}" --delay 80 1
  sleep 0.4
}

# click_entry CAPTION LIST-ID N [MODIFIER]: clicks list box entry N, with a
# key (ctrl, shift) held down when given.
click_entry() {
  local x y w h
  read -r x y w h < <(dlg item "$1" "$2" "$3") || return 1
  [ -n "${h:-}" ] || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  if [ -n "${4:-}" ]; then
    xdotool keydown "$4" click 1 keyup "$4"
  else
    xdotool click 1
  fi
  sleep 0.4
}

# drop_files CAPTION ID FILE...: drags Linux files onto the middle of a
# control of the top-level window with that caption, through X's drag and
# drop as a file manager does (pelor_xdrop); false when the window refused
# or never answered.
drop_files() {
  local caption=$1 id=$2 x y w h window; shift 2
  read -r x y w h < <(dlg rect "$caption" "$id") || return 1
  window=$(find_window "^$caption\$" 5)
  [ -n "${h:-}" ] && [ -n "$window" ] || return 1
  xdotool mousemove $((x + w / 2)) $((y + h / 2))
  "$PELOR_NATIVE_BIN/pelor_xdrop" "$window" $((x + w / 2)) $((y + h / 2)) "$@" && sleep 0.5
}

# type_into CAPTION ID TEXT: clicks into an edit control, empties it and
# types TEXT.
type_into() {
  click_control "$1" "$2" || return 1
  xdotool key End shift+Home BackSpace
  xdotool type --delay 20 "$3"
  sleep 0.2
}

# focus_window CAPTION: clicks the window's caption bar, which activates it
# without pressing anything in it.
focus_window() {
  local x y w h
  read -r x y w h < <(dlg rect "$1" 0) || return 1
  [ -n "${h:-}" ] || return 1
  click_at $((x + w / 2)) $((y + 8))
}

# wait_dialog CAPTION SECONDS: true once a visible top-level window has that
# exact caption.
wait_dialog() { [ -n "$(find_window "^$1\$" "$2")" ]; }

# wait_gone CAPTION SECONDS: true once no visible window has that caption.
wait_gone() {
  local end=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$end" ]; do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.2
  done
  return 1
}

# wait_file PATH SECONDS: true once PATH exists and is not empty (a program
# writes what a dialog asked for after the dialog has gone).
wait_file() {
  local end=$((SECONDS + $2))
  until [ -s "$1" ]; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# open_config: PELOR.SCR /c; true once its settings window is up.
open_config() {
  start_program "$PELOR_BIN/PELOR.SCR" /c
  wait_dialog Pelorama 30 && sleep 0.5
}

# type_file_name CAPTION PATH: types a Linux path as Wine's Z: path into the
# open or save dialog with that caption (its file name box, 1148); types it
# again when a busy machine lost keys.
type_file_name() {
  wait_dialog "$1" 20 || return 1
  local want try
  want=$(win_path "$2")
  for try in 1 2 3; do
    sleep 0.5
    xdotool key End shift+Home BackSpace
    xdotool type --delay 15 "$want"
    [ "$(dlg text "$1" 1148)" = "$want" ] && break
  done
}

# choose_file CAPTION PATH: types the path (type_file_name) and confirms it.
choose_file() {
  type_file_name "$1" "$2" || return 1
  xdotool key Return
  wait_gone "$1" 10
}

# menu KEY KEY: opens a menu of the settings window with Alt and a letter,
# then picks an item by its letter.
menu() {
  focus_window Pelorama
  xdotool key "alt+$1"; sleep 0.5; xdotool key "$2"; sleep 0.5
}

# menu_dialog KEY KEY CAPTION: picks a menu item that opens a window with
# that caption; tries again when a busy machine let the menu miss a key
# (a click on the caption bar closes a menu left open). False when the
# window never shows.
menu_dialog() {
  local try
  for try in 1 2 3; do
    menu "$1" "$2"
    wait_dialog "$3" 6 && return 0
    focus_window Pelorama
  done
  return 1
}

# close_config ok|cancel: presses OK or Cancel and waits for the program.
close_config() {
  if [ "$1" = ok ]; then click_control Pelorama 1; else click_control Pelorama 2; fi
  wait_program 15
}
