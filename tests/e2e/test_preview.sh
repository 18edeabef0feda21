#!/usr/bin/env bash
# Preview mode: PELOR.SCR /p <window> inside a 152 x 112 host window puts a
# visible child window over the host's whole client area, and destroying
# the host ends the saver. Wine does not put on the screen what one process
# draws in a child window of another process's window, so the host reports
# the child it got; the logo's place inside it, (26, 6), is checked by the
# Wine test that draws the same preview window in a host of its own.
set -u
source "$(dirname "$0")/lib.sh"

out="$E2E_OUT/preview-host.out"
( set +e; timeout 60 "$WINE" "$PELOR_BIN/pelor_preview_host.exe" "$(win_path "$PELOR_BIN/PELOR.SCR")" 6 100 100 152 112 \
    >"$out" 2>/dev/null; echo $? >"$out.rc" ) &
host_pid=$!
if [ -n "$(find_window '^PreviewHost$' 20)" ]; then
  child=""
  for _ in $(seq 1 100); do
    child=$(tr -d '\r' <"$out" | sed -n 's/^child //p')
    [ -n "$child" ] && break
    sleep 0.1
  done
  screenshot "$E2E_OUT/preview.png"
  expect "/p puts a visible child over the host's 152x112 client area ($child)" [ "$child" = "0 0 152 112 1" ]
  wait "$host_pid" 2>/dev/null
  rc=$(cat "$out.rc" 2>/dev/null)
  expect "destroying the host window ends the preview with exit code 0 (rc=$rc)" [ "$rc" = 0 ]
else
  fail "the preview host starts" "no PreviewHost window"
  kill "$host_pid" 2>/dev/null
fi

# A handle that names no window: nothing is created and the program ends.
start_program "$PELOR_BIN/PELOR.SCR" /p 123456
rc=$(wait_program 20)
expect "/p with a handle that names no window ends at once (rc=$rc)" [ "$rc" = 0 ]
stop_program
[ "$E2E_FAILED" -eq 0 ]
