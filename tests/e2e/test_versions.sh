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

# Windows 95: the saver installed under its long name, started once by its
# short name (as the display settings start it) and once by the long one
# (as Explorer's Configure does): both windows store under one key, the
# long name's. (Wine itself may hand the program its long name either way;
# tests/win's SaverApp checks give the logic a real short path.)
timeout 30 "$WINE" reg add 'HKCU\Software\Wine' /v Version /d win95 /f >/dev/null 2>&1
folder="$WINEPREFIX/drive_c/pelor95"; mkdir -p "$folder"
cp "$PELOR_BIN/PELOR.SCR" "$folder/Pelorama Movies.scr"
short=$(timeout 30 "$WINE" cmd /c 'dir /x C:\pelor95' 2>/dev/null | tr -d '\r' | awk '/Pelorama Movies.scr$/ { print $(NF - 2) }')
long_key='HKCU\Software\Tolvane Arts\Pelorama Movies'
timeout 30 "$WINE" reg delete "$long_key" /f >/dev/null 2>&1
for start in "$short" "Pelorama Movies.scr"; do
  start_program "C:\\pelor95\\$start" /c
  if wait_dialog Pelorama 30 && sleep 0.5; then
    click_control Pelorama 1
    expect "win95: started as '$start', the settings window stores its OK and ends" [ "$(wait_program 15)" = 0 ]
  else
    fail "win95: started as '$start', the settings window opens" "none within 30 s"
  fi
  stop_program
  expect "win95: started as '$start', the settings are under the long name's key" \
    sh -c "timeout 30 '$WINE' reg query '$long_key\\Config' /v NumAVI >/dev/null 2>&1"
  expect "win95: and none under '${start%.*}'" \
    sh -c "[ '${start%.*}' = 'Pelorama Movies' ] || ! timeout 30 '$WINE' reg query 'HKCU\\Software\\Tolvane Arts\\${start%.*}' >/dev/null 2>&1"
  timeout 30 "$WINE" reg delete "$long_key" /f >/dev/null 2>&1
done
expect "win95: the system gave the saver a short name to start by ($short)" sh -c "[ -n '$short' ] && [ '$short' != 'Pelorama Movies.scr' ]"
rm -rf "$folder"
timeout 30 "$WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1

[ "$E2E_FAILED" -eq 0 ]
