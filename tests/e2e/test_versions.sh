#!/usr/bin/env bash
# Wine told to be each Windows (HKCU\Software\Wine Version): the settings
# window's text about the keys, which depends on the system. The setup's
# command lines and installed file names per system are in test_setup.sh.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
# pelor_dialog prints a newline as \n and a tab as \t.
KEYS="While the screen saver is running:\\n'M'\\t\\tMute/Unmute\\nUp/Down\\tVolume Up/Down.\\nLeft/Right\\tPrevious/Next movie"
NT4="Windows NT 4.0 does not support power management or keyboard features while the screen saver is running."
NT="Windows NT does not support keyboard features while the screen saver is running."

for case in "win95:$KEYS" "win98:$KEYS" "nt40:$NT4" "win2k:$NT" "winxp:$NT" "win7:$NT" "win10:$NT"; do
  version=${case%%:*}; want=${case#*:}
  timeout 30 "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  if open_config; then
    got=$(dlg text Pelorama 1053)
    expect "$version: the keys text is that system's ($(head -n 1 <<<"$got"))" [ "$got" = "$want" ]
    close_config cancel >/dev/null
  else
    fail "$version: the settings window opens" "none within 30 s"
  fi
  stop_program
done
timeout 30 "$WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1

[ "$E2E_FAILED" -eq 0 ]
