#!/usr/bin/env bash
# The real PELOR.SCR in the modes that end without a window of their own.
set -u
source "$(dirname "$0")/lib.sh"
scr="$PELOR_BIN/PELOR.SCR"

# Unknown switches and words end the program at once, without a window.
for words in "/x" "hello" "/" "-q 123"; do
  start=$(date +%s%N)
  # shellcheck disable=SC2086
  start_program "$scr" $words
  rc=$(wait_program 20)
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  expect "'$words' exits with 0 (rc=$rc)" [ "$rc" = 0 ]
  expect "'$words' exits within 5 s (${ms} ms)" [ "$ms" -lt 5000 ]
done
expect "no window was left on the screen" [ -z "$(xdotool search --onlyvisible --name '.' 2>/dev/null | head -n 1)" ]

# Change password with Wine's own library calls its stub, which shows nothing.
WINEDLLOVERRIDES="mscoree,mshtml=;mpr=b" start_program "$scr" /a
rc=$(wait_program 20)
expect "/a with Wine's own MPR.DLL ends by itself (rc=$rc)" [ "$rc" = 0 ]

# Without MPR.DLL: warning 9050, captioned with the program's name.
WINEDLLOVERRIDES="mscoree,mshtml=;mpr=d" start_program "$scr" /a
box=$(find_window '^PELOR$' 20)
if [ -n "$box" ]; then
  pass "/a without MPR.DLL shows a warning captioned PELOR"
  screenshot "$E2E_OUT/change-password-no-mpr.png"
  press_in "$box" Return
  rc=$(wait_program 20)
  expect "the warning's OK ends the program (rc=$rc)" [ "$rc" = 0 ]
else
  fail "/a without MPR.DLL shows a warning captioned PELOR" "no window"
fi
stop_program

# A copy renamed X.SCR answers to the name X, and a library without the
# function gives two warnings in turn.
copy=$(mktemp -d "$E2E_OUT/renamed.XXXXXX")
cp "$scr" "$copy/X.SCR"
cp "$PELOR_BIN/nompr/mpr.dll" "$copy/mpr.dll"
WINEDLLOVERRIDES="mscoree,mshtml=;mpr=n" start_program "$copy/X.SCR" /a
boxes=0
for _ in 1 2; do
  box=$(find_window '^X$' 20)
  [ -n "$box" ] || break
  boxes=$((boxes + 1))
  screenshot "$E2E_OUT/change-password-no-function-$boxes.png"
  press_in "$box" Return
  sleep 0.5
done
expect "X.SCR /a without the function shows two warnings captioned X ($boxes)" [ "$boxes" = 2 ]
rc=$(wait_program 20)
expect "then X.SCR ends (rc=$rc)" [ "$rc" = 0 ]
stop_program

[ "$E2E_FAILED" -eq 0 ]
