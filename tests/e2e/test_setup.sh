#!/usr/bin/env bash
# The real SETUP.EXE under Wine, started in a copy of what dist/ ships and
# answered with real clicks and keys; the texts, icons and buttons are read
# from the boxes themselves. Wine has no syssetup.dll, desk.cpl or RUNDLL.EXE:
# the test-only stand-ins (tests/setup/) are placed in the prefix for the
# length of this script and record the command lines they were given.
set -u
source "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
CAPTION="Pelorama 4.0"
QUESTION="This program will install Pelorama 4.0. In Windows NT, you will need Administrator rights. If you have a previous version of Pelorama, please uninstall it now. Do you wish to continue?"
AGREEMENT_NOTE="To install this program, you must agree to the following license agreement. If you agree, click Yes. If you do not agree, click No."
NT_INSTALL="RUNDLL32.EXE syssetup.dll,SetupInfObjectInstallAction DefaultInstall.NT 132"
W95_INSTALL="RUNDLL.EXE setupx.dll,InstallHinfSection DefaultInstall 132"
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Pelorama'
sys="$WINEPREFIX/drive_c/windows/system32"
log="$sys/pelor-standins.log"

look() { timeout 60 "$WINE" "$PELOR_BIN/pelor_setup_look.exe" "$@" 2>/dev/null | tr -d '\r'; }

# The files a Windows user gets, from the tree the tests run.
setup_folder() {  # setup_folder DIR [WITHOUT-FILE]
  mkdir -p "$1"
  cp "$PELOR_BIN/SETUP.EXE" "$PELOR_BIN/PELOR.SCR" "$ROOT/setup/PELOR.INF" "$ROOT/setup/LICENSE.TXT" "$1/"
  # Until the tree builds our QuickTime library, a file of that name stands
  # in for it: the INF's handling of it is what is tested here.
  if [ -f "$PELOR_BIN/QuickTime.qts" ]; then cp "$PELOR_BIN/QuickTime.qts" "$1/"
  else printf 'QuickTime.qts shipped beside PELOR.SCR\r\n' >"$1/QuickTime.qts"; fi
  [ -n "${2:-}" ] && rm -f "$1/$2"
  return 0
}

# plant DIR: programs and DLLs of the system's names beside SETUP.EXE, as a
# downloads folder or a CD might hold them (copies of the stand-ins, which
# record "ran|PATH" when they run). The setup must never start or load them.
plant() {
  cp "$PELOR_BIN/setup-standins/RUNDLL.EXE" "$1/RUNDLL32.EXE"
  cp "$PELOR_BIN/setup-standins/RUNDLL.EXE" "$1/RUNDLL.EXE"
  cp "$PELOR_BIN/setup-standins/syssetup.dll" "$PELOR_BIN/setup-standins/desk.cpl" "$1/"
}

# ran_from DIR: the stand-in files that ran from DIR, by the record.
ran_from() { [ -f "$log" ] && tr -d '\r' <"$log" | grep -iF "ran|$(win_path "$1")\\" ; true; }

# start_setup DIR: SETUP.EXE with DIR as its current folder.
start_setup() { cd "$1" && start_program "$1/SETUP.EXE"; cd - >/dev/null; }

# box_part DESCRIPTION KIND: the lines of one kind ("text", "icon", ...).
box_part() { printf '%s\n' "$1" | sed -n "s/^$2 //p"; }

# click BOX-DESCRIPTION LABEL: a real mouse click on the button with LABEL.
click() {
  local x y
  read -r x y < <(printf '%s\n' "$1" | awk -v l="$2" '$1 == "button" && $3 == l { print $4, $5; exit }')
  [ -n "${x:-}" ] || return 1
  xdotool mousemove "$x" "$y" click 1
}

# wait_log LINE SECONDS: true once the stand-ins' record holds LINE.
wait_log() {
  local end=$((SECONDS + $2))
  while [ "$SECONDS" -lt "$end" ]; do
    [ -f "$log" ] && tr -d '\r' <"$log" | grep -qxF "$1" && return 0
    sleep 0.2
  done
  return 1
}

buttons() { printf '%s\n' "$1" | awk '$1 == "button" { printf "%s%s", sep, $3; sep = "," }'; }

# expect_box NAME CONTAINING TEXT ICON BUTTONS: waits for a box captioned
# "Pelorama 4.0" and checks it; the description is left in $BOX.
expect_box() {
  BOX=$(look box "$CAPTION" "$2")
  if [ -z "$BOX" ]; then fail "$1" "no box holding '$2'"; return 1; fi
  local text icon btns
  text=$(box_part "$BOX" text); icon=$(box_part "$BOX" icon); btns=$(buttons "$BOX")
  expect "$1: text, icon $icon, buttons $btns" [ "$text|$icon|$btns" = "$3|$4|$5" ]
}

reset_state() {
  rm -f "$log" "$sys/PELOR.SCR" "$sys/Pelorama Movies.scr" "$sys/QuickTime.qts" "$WINEPREFIX/drive_c/windows/inf/PELOR.INF"
  timeout 30 "$WINE" reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1
  timeout 30 "$WINE" reg delete 'HKLM\SOFTWARE\Tolvane Arts\PELOR' /f >/dev/null 2>&1
  timeout 30 "$WINE" reg delete 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /f >/dev/null 2>&1
  return 0
}

cp "$PELOR_BIN/setup-standins/syssetup.dll" "$PELOR_BIN/setup-standins/desk.cpl" "$sys/"
cp "$PELOR_BIN/setup-standins/RUNDLL.EXE" "$WINEPREFIX/drive_c/windows/"
remove_standins() { rm -f "$sys/syssetup.dll" "$sys/desk.cpl" "$WINEPREFIX/drive_c/windows/RUNDLL.EXE" "$log"; }
trap remove_standins EXIT
reset_state

# --- what dist/ ships ---
if [ -d "$ROOT/dist" ]; then
  want="LICENSE.TXT PELOR.INF PELOR.SCR SETUP.EXE"
  [ -f "$ROOT/dist/QuickTime.qts" ] && want="LICENSE.TXT PELOR.INF PELOR.SCR QuickTime.qts SETUP.EXE"
  have=$(cd "$ROOT/dist" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//')
  expect "dist/ holds exactly the shipped files ($have)" [ "$have" = "$(echo "$want" | tr ' ' '\n' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')" ]
  dlls=$(objdump -p "$ROOT/dist/SETUP.EXE" 2>/dev/null | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
  expect "dist/SETUP.EXE is a 32-bit program that imports only the system ($dlls)" \
    sh -c "objdump -f '$ROOT/dist/SETUP.EXE' | grep -q 'pei-i386' && [ '$dlls' = 'KERNEL32.DLL MSVCRT.DLL USER32.DLL ' ]"
fi

# --- No to the opening question: nothing started, nothing copied ---
dir="$E2E_OUT/setup-no"
setup_folder "$dir"
start_setup "$dir"
if expect_box "opening question" "Do you wish" "$QUESTION" question "&Yes,&No"; then
  screenshot "$E2E_OUT/setup-question.png"
  click "$BOX" "&No"
fi
rc=$(wait_program 20)
expect "No to the question ends the setup with 0 ($rc)" [ "$rc" = 0 ]
expect "and nothing was started or copied" [ ! -e "$log" ] && [ ! -e "$sys/PELOR.SCR" ]
expect "and no agreement was shown" [ "$(look count 'License Agreement')" = 0 ]
stop_program

# --- the agreement: its texts, Escape does nothing, No ends ---
start_setup "$dir"
BOX=$(look box "$CAPTION" "Do you wish") && xdotool key Return   # Yes is the question's default
AGREEMENT=$(look box "License Agreement" "must agree")
if [ -n "$AGREEMENT" ]; then
  screenshot "$E2E_OUT/setup-agreement.png"
  expect "agreement: note, buttons ($(buttons "$AGREEMENT"))" \
    [ "$(box_part "$AGREEMENT" text)|$(buttons "$AGREEMENT")" = "$AGREEMENT_NOTE|&Yes,No" ]
  timeout 60 "$WINE" "$PELOR_BIN/pelor_setup_look.exe" edit "License Agreement" 1000 >"$E2E_OUT/agreement-shown.txt" 2>/dev/null
  expect "agreement box holds LICENSE.TXT byte for byte" cmp -s "$E2E_OUT/agreement-shown.txt" "$ROOT/setup/LICENSE.TXT"
  window=$(box_part "$AGREEMENT" window)
  xdotool key Escape; sleep 1
  again=$(look box "License Agreement" "must agree" 2)
  expect "Escape leaves the agreement open" [ "$(box_part "$again" window)" = "$window" ]
  click "$AGREEMENT" "No"
else
  fail "the agreement dialog opens after Yes" "no dialog"
fi
rc=$(wait_program 20)
expect "No to the agreement ends with 0 ($rc)" [ "$rc" = 0 ]
expect "and nothing was started or copied" [ ! -e "$log" ] && [ ! -e "$sys/PELOR.SCR" ]
stop_program

# --- Yes, Yes: the NT installer line, the saver in the system folder, the offer ---
# From a folder whose name has spaces, with a RUNDLL32.EXE and the rest
# planted beside SETUP.EXE.
dir="$E2E_OUT/setup yes, with spaces"
setup_folder "$dir"
plant "$dir"
winpath=$(win_path "$dir")
start_setup "$dir"
BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
AGREEMENT=$(look box "License Agreement" "must agree") && click "$AGREEMENT" "&Yes"
if expect_box "closing note" "Installation complete." "Installation complete." information "OK"; then
  expect "the installer line is the NT command, the folder, a backslash and PELOR.INF" \
    grep -qxF "syssetup.dll|$NT_INSTALL $winpath\\PELOR.INF" <(tr -d '\r' <"$log")
  expect "PELOR.SCR is in the system folder, byte for byte the shipped one" cmp -s "$sys/PELOR.SCR" "$dir/PELOR.SCR"
  expect "QuickTime.qts, none there before, is copied beside it" cmp -s "$sys/QuickTime.qts" "$dir/QuickTime.qts"
  name=$(timeout 30 "$WINE" reg query "$UNINSTALL_KEY" /v DisplayName 2>/dev/null | tr -d '\r' | awk '/DisplayName/ { $1 = $2 = ""; sub(/^  /, ""); print }')
  expect "an uninstall entry named Pelorama 4.0 is registered ($name)" [ "$name" = "Pelorama 4.0" ]
  expect "the machine-wide defaults key exists" sh -c "timeout 30 '$WINE' reg query 'HKLM\\SOFTWARE\\Tolvane Arts\\PELOR\\Config' >/dev/null 2>&1"
  screenshot "$E2E_OUT/setup-complete.png"
  click "$BOX" "OK"
  if expect_box "offer" "default screen saver" "Setup can make Pelorama your default screen saver. Continue?" question "&Yes,&No"; then
    click "$BOX" "&Yes"
  fi
fi
rc=$(wait_program 30)
expect "the setup ends with 0 after the offer ($rc)" [ "$rc" = 0 ]
expect "Yes to the offer starts the display settings with PELOR.SCR" wait_log "desk.cpl|PELOR.SCR" 15
planted=$(ran_from "$dir")
expect "nothing planted beside SETUP.EXE ran or was loaded (${planted:-none})" [ -z "$planted" ]
expect "the installer and the display settings were the system's own" \
  sh -c "tr -d '\r' <'$log' | grep -qixF 'ran|C:\windows\system32\syssetup.dll' && tr -d '\r' <'$log' | grep -qixF 'ran|C:\windows\system32\desk.cpl'"
selected=$(timeout 30 "$WINE" reg query 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
expect "and the saver is selected ($selected)" [ "$(echo "$selected" | tr 'a-z' 'A-Z')" = 'C:\WINDOWS\SYSTEM32\PELOR.SCR' ]
stop_program

# --- the installed saver runs from the system folder ---
media="$E2E_OUT/media-setup"; mkdir -p "$media"
fixture avi "$media/red.avi" 160 120 10 10 0
store_playlist File="$media/red.avi" LoopInfinite=1
xdotool mousemove 400 300
start_program "$sys/PELOR.SCR" /s
if [ -n "$(find_window '^SaverWnd$' 30)" ] && wait_colour 400 300 red 30 "$E2E_OUT/setup-installed-saver.png"; then
  pass "the installed PELOR.SCR /s plays the stored playlist"
else
  fail "the installed PELOR.SCR /s plays the stored playlist" "no red clip at the centre"
fi
xdotool key space
rc=$(wait_program 15)
expect "and ends on a key with 0 ($rc)" [ "$rc" = 0 ]
stop_program

# --- the uninstall entry removes what the setup installed, not the user's settings ---
command=$(timeout 30 "$WINE" reg query "$UNINSTALL_KEY" /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
listed=$(timeout 60 "$WINE" uninstaller --list 2>/dev/null | tr -d '\r')
expect "the system's list of installed programs shows Pelorama 4.0" grep -q "Pelorama 4.0" <<<"$listed"
timeout 60 "$WINE" uninstaller --remove Pelorama >/dev/null 2>&1
expect "the uninstall ran its registered command" grep -qxF "syssetup.dll|$command" <(tr -d '\r' <"$log")
expect "the saver is gone from the system folder" [ ! -e "$sys/PELOR.SCR" ]
expect "the INF copy is gone" [ ! -e "$WINEPREFIX/drive_c/windows/inf/PELOR.INF" ]
expect "the machine-wide key is gone" sh -c "! timeout 30 '$WINE' reg query 'HKLM\\SOFTWARE\\Tolvane Arts\\PELOR' >/dev/null 2>&1"
expect "the uninstall entry is gone" sh -c "! timeout 30 '$WINE' reg query '$UNINSTALL_KEY' >/dev/null 2>&1"
expect "the user's own settings stay" grep -q "items=1" <(timeout 60 "$WINE" "$PELOR_BIN/pelor_store_playlist.exe" show | tr -d '\r')
store_playlist clear
reset_state

# --- from a drive root, the INF path holds two backslashes ---
root="$E2E_OUT/setup-root"
setup_folder "$root"
ln -sfn "$root" "$WINEPREFIX/dosdevices/s:"
printf 'another program'"'"'s QuickTime\r\n' >"$sys/QuickTime.qts"
cp "$sys/QuickTime.qts" "$E2E_OUT/foreign-QuickTime.qts"
( cd "$root" && start_program start /d 'S:\' /wait 'S:\SETUP.EXE' )
start_program_pid=$PROGRAM_PID
BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
AGREEMENT=$(look box "License Agreement" "must agree") && click "$AGREEMENT" "&Yes"
BOX=$(look box "$CAPTION" "Installation complete.")
expect "from S:\\ the installer line names S:\\\\PELOR.INF" grep -qxF "syssetup.dll|$NT_INSTALL S:\\\\PELOR.INF" <(tr -d '\r' <"$log" 2>/dev/null)
if cmp -s "$sys/QuickTime.qts" "$E2E_OUT/foreign-QuickTime.qts"; then
  pass "a QuickTime.qts that was there already is left as it was"
elif cmp -s "$sys/QuickTime.qts" "$root/QuickTime.qts"; then
  # Windows' engine turns the line's flag 16 (COPYFLG_NO_OVERWRITE) into a
  # silent skip; Wine 8's SetupQueueCopySection reads no per-line flags.
  echo "SKIP a QuickTime.qts that was there already is left as it was: Wine's INF engine ignores the file line's no-overwrite flag"
else
  fail "a QuickTime.qts that was there already is left as it was" "it is neither the old file nor ours"
fi
[ -n "$BOX" ] && click "$BOX" "OK"
BOX=$(look box "$CAPTION" "default screen saver") && click "$BOX" "&No"
sleep 1
expect "No to the offer starts nothing more" sh -c "! grep -q '^desk.cpl' '$log'"
stop_program
rm -f "$WINEPREFIX/dosdevices/s:"
reset_state

# --- a folder too deep for the line: refused, nothing started ---
deep="$E2E_OUT/setup-deep/$(printf 'd%.0s' $(seq 1 90))/$(printf 'e%.0s' $(seq 1 60))"
setup_folder "$deep"
start_setup "$deep"
BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
AGREEMENT=$(look box "License Agreement" "must agree")
expect "the agreement shows its text in a deep folder too" [ "$(awk '$1 == "edit" { print $3 }' <<<"$AGREEMENT")" -gt 0 ]
[ -n "$AGREEMENT" ] && click "$AGREEMENT" "&Yes"
if expect_box "too long a line" "Unable" "Unable to install." exclamation "OK"; then click "$BOX" "OK"; fi
rc=$(wait_program 20)
expect "then the setup ends with 0 ($rc), nothing started" sh -c "[ '$rc' = 0 ] && [ ! -e '$log' ]"
stop_program

# --- no PELOR.INF and no LICENSE.TXT: empty agreement, the installer fails, and the setup says so ---
dir="$E2E_OUT/setup-bare"
setup_folder "$dir" PELOR.INF; rm -f "$dir/LICENSE.TXT"
start_setup "$dir"
BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
AGREEMENT=$(look box "License Agreement" "must agree")
expect "without LICENSE.TXT the agreement box is empty" [ "$(awk '$1 == "edit" { print $3 }' <<<"$AGREEMENT")" = 0 ]
[ -n "$AGREEMENT" ] && click "$AGREEMENT" "&Yes"
# The engine ends as if all went well; the saver not being in place says it did not.
if expect_box "note after a failed installer" "did not complete" \
  "Installation did not complete. The screen saver was not installed." exclamation "OK"; then
  click "$BOX" "OK"
fi
rc=$(wait_program 20)
expect "the installer was started, nothing was copied, the setup ends with 0 ($rc) and offers nothing more" \
  sh -c "[ '$rc' = 0 ] && grep -q '^syssetup.dll|' '$log' && [ ! -e '$sys/PELOR.SCR' ] && ! grep -q '^desk.cpl' '$log'"
stop_program
reset_state

# --- a prefix that answers as Windows 95: the Windows 95/98 command lines ---
timeout 30 "$WINE" reg add 'HKCU\Software\Wine' /v Version /d win95 /f >/dev/null 2>&1
dir="$E2E_OUT/setup-95"
setup_folder "$dir"
plant "$dir"
# Windows 95 keeps RUNDLL32.EXE in the Windows folder; Wine has it in system32.
cp "$sys/rundll32.exe" "$WINEPREFIX/drive_c/windows/rundll32.exe"
winpath=$(win_path "$dir")
start_setup "$dir"
BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
AGREEMENT=$(look box "License Agreement" "must agree") && click "$AGREEMENT" "&Yes"
BOX=$(look box "$CAPTION" "Installation complete.")
expect "Windows 95: the installer line is RUNDLL.EXE setupx.dll with DefaultInstall" \
  grep -qxF "RUNDLL.EXE|$W95_INSTALL $winpath\\PELOR.INF" <(tr -d '\r' <"$log" 2>/dev/null)
expect "Windows 95: the saver is in the system folder under its long name" cmp -s "$sys/Pelorama Movies.scr" "$dir/PELOR.SCR"
[ -n "$BOX" ] && click "$BOX" "OK"
BOX=$(look box "$CAPTION" "default screen saver") && click "$BOX" "&Yes"
rc=$(wait_program 20)
expect "Windows 95: the setup ends with 0 ($rc)" [ "$rc" = 0 ]
expect "Windows 95: the display settings get PELORA~1.SCR" wait_log "desk.cpl|PELORA~1.SCR" 15
planted=$(ran_from "$dir")
expect "Windows 95: nothing planted beside SETUP.EXE ran (${planted:-none})" [ -z "$planted" ]
expect "Windows 95: the installer was the Windows folder's RUNDLL.EXE" \
  sh -c "tr -d '\r' <'$log' | grep -qixF 'ran|C:\windows\RUNDLL.EXE'"
stop_program
rm -f "$WINEPREFIX/drive_c/windows/rundll32.exe"
timeout 30 "$WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1
reset_state

# --- Wine told to be each system: the installer line and the installed file's name ---
for version in win98 nt40 win2k winxp win7 win10; do
  timeout 30 "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  dir="$E2E_OUT/setup-$version"
  setup_folder "$dir"
  winpath=$(win_path "$dir")
  if [ "$version" = win98 ]; then line="RUNDLL.EXE|$W95_INSTALL $winpath\PELOR.INF"; file="Pelorama Movies.scr"
  else line="syssetup.dll|$NT_INSTALL $winpath\PELOR.INF"; file=PELOR.SCR; fi
  start_setup "$dir"
  BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
  AGREEMENT=$(look box "License Agreement" "must agree") && click "$AGREEMENT" "&Yes"
  BOX=$(look box "$CAPTION" "Installation complete.")
  expect "$version: the installer line is ${line%%|*}'s" grep -qxF "$line" <(tr -d '\r' <"$log" 2>/dev/null)
  expect "$version: the saver is installed as $file" cmp -s "$sys/$file" "$dir/PELOR.SCR"
  [ -n "$BOX" ] && click "$BOX" "OK"
  BOX=$(look box "$CAPTION" "default screen saver") && click "$BOX" "&No"
  rc=$(wait_program 20)
  expect "$version: the setup ends with 0 ($rc)" [ "$rc" = 0 ]
  stop_program
  reset_state
done
timeout 30 "$WINE" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1

# --- 64-bit Windows: the 32-bit setup installs and uninstalls through the 32-bit engine ---
# A 64-bit prefix of its own, the shipped 32-bit SETUP.EXE, then the 64-bit
# list of installed programs removes it. Needs a kernel that runs 32-bit code
# (Wine's WoW64) and both trees' stand-ins.
W32=${PELOR_WIN32_BIN:-$ROOT/build/win32/bin}
W64=${PELOR_WIN64_BIN:-$ROOT/build/win64/bin}
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "SKIP 64-bit Windows: the 32-bit setup installs through the 32-bit engine: this kernel runs no 32-bit code"
elif [ ! -f "$W32/SETUP.EXE" ] || [ ! -f "$W64/setup-standins/syssetup.dll" ]; then
  echo "SKIP 64-bit Windows: the 32-bit setup installs through the 32-bit engine: needs both build/win32 and build/win64"
else
  (
    export WINEPREFIX="$E2E_OUT/prefix64" WINEARCH=win64
    WINE=/usr/lib/wine/wine64
    timeout 120 "$WINE" wineboot -i >/dev/null 2>&1
    s64="$WINEPREFIX/drive_c/windows/system32" s32="$WINEPREFIX/drive_c/windows/syswow64"
    cp "$W64/setup-standins/syssetup.dll" "$s64/"; cp "$W32/setup-standins/syssetup.dll" "$s32/"
    log="$s32/pelor-standins.log"
    dir="$E2E_OUT/setup-wow64"; mkdir -p "$dir"
    cp "$W32/SETUP.EXE" "$W32/PELOR.SCR" "$ROOT/setup/PELOR.INF" "$ROOT/setup/LICENSE.TXT" "$dir/"
    [ -f "$W32/QuickTime.qts" ] && cp "$W32/QuickTime.qts" "$dir/"
    cd "$dir" && start_program "$dir/SETUP.EXE"
    look() { timeout 60 "$WINE" "$W64/pelor_setup_look.exe" "$@" 2>/dev/null | tr -d '\r'; }
    BOX=$(look box "$CAPTION" "Do you wish") && click "$BOX" "&Yes"
    AGREEMENT=$(look box "License Agreement" "must agree") && click "$AGREEMENT" "&Yes"
    BOX=$(look box "$CAPTION" "Installation complete.")
    expect "WoW64: the setup finds the saver where the INF put it and says the installation is complete" [ -n "$BOX" ]
    [ -n "$BOX" ] && click "$BOX" "OK"
    BOX=$(look box "$CAPTION" "default screen saver") && click "$BOX" "&No"
    wait_program 30 >/dev/null; stop_program
    expect "WoW64: the 32-bit engine ran DefaultInstall.WoW64" grep -q "DefaultInstall.WoW64" <(tr -d '\r' <"$log" 2>/dev/null)
    expect "WoW64: the saver is in SysWOW64, not in the 64-bit system folder" sh -c "[ -f '$s32/PELOR.SCR' ] && [ ! -f '$s64/PELOR.SCR' ]"
    key='HKLM\SOFTWARE\Wow6432Node\Tolvane Arts\PELOR\Config'
    expect "WoW64: the defaults key is in the 32-bit registry view" sh -c "timeout 30 '$WINE' reg query '$key' >/dev/null 2>&1"
    command=$(timeout 30 "$WINE" reg query 'HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Pelorama' /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
    expect "WoW64: the uninstall command names the 32-bit RUNDLL32.EXE ($command)" grep -qi '^C:\\windows\\syswow64\\RUNDLL32.EXE ' <<<"$command"
    timeout 60 "$WINE" uninstaller --remove Pelorama >/dev/null 2>&1
    expect "WoW64: the 64-bit uninstaller removed the saver" [ ! -e "$s32/PELOR.SCR" ]
    expect "WoW64: and the defaults key" sh -c "! timeout 30 '$WINE' reg query 'HKLM\SOFTWARE\Wow6432Node\Tolvane Arts\PELOR' >/dev/null 2>&1"
    expect "WoW64: and the entry" sh -c "! timeout 30 '$WINE' reg query 'HKLM\SOFTWARE\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall\Pelorama' >/dev/null 2>&1"
    timeout 30 "$WINE" wineserver -k >/dev/null 2>&1
    [ "$E2E_FAILED" -eq 0 ]
  ) || E2E_FAILED=1
fi

[ "$E2E_FAILED" -eq 0 ]
