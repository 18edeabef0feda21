#!/usr/bin/env bash
# The real PELOR.SCR /c driven as a user drives it: the settings window with
# the stored playlist and options, Add through the system's open-file dialog,
# the list buttons, playlist files, the option dialogs, About, and what OK and
# Cancel leave in the registry, files dropped from outside, and the choice
# of what the other monitors show.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
media="$E2E_OUT/media-config"
mkdir -p "$media"
fixture avi "$media/red.avi" 160 120 10 10 0
fixture avi "$media/green.avi" 160 120 10 10 1
fixture avi "$media/blue.avi" 160 120 10 10 2
fixture avi "$media/yellow.avi" 160 120 10 10 3
R=$(win_path "$media/red.avi"); G=$(win_path "$media/green.avi")
B=$(win_path "$media/blue.avi"); Y=$(win_path "$media/yellow.avi")
KEYS_TEXT='Windows NT does not support keyboard features while the screen saver is running.'

store_three() {
  store_playlist Mute=1 Random=0 Titles=1 Scale=4 Letterbox=0 \
    File="$media/red.avi" File="$media/green.avi" File="$media/blue.avi"
}

# --- what the window shows, and Cancel after edits ---
store_three
export_config "$E2E_OUT/config-before.reg"
if open_config; then
  screenshot "$E2E_OUT/config-dialog.png"
  expect "the settings window lists the three stored items in order, none selected" \
    [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n  %s\n  %s' "$R" "$G" "$B")" ]
  opts="$(dlg checked Pelorama $IDC_MUTE) $(dlg checked Pelorama $IDC_RANDOM) $(dlg checked Pelorama $IDC_TITLES) $(dlg checked Pelorama $IDC_LETTERBOX) $(dlg combo Pelorama $IDC_SCALE)"
  expect "Mute, Random Order, Show Titles, Letterbox and Scaling show the stored options ($opts)" \
    [ "$opts" = "1 0 1 0 4" ]
  expect "the keys text is the one for later Windows NT" [ "$(dlg text Pelorama $IDC_KEYS_TEXT)" = "$KEYS_TEXT" ]
  # Edits of every kind, then Cancel: nothing reaches the registry.
  # Properties first: 5 loops for red, OK; the dialog shows them again.
  click_entry Pelorama $IDC_PLAYLIST 0
  click_control Pelorama $IDC_PROPERTIES
  if wait_dialog Properties 10; then
    # Typed over the selected count: an emptied field is answered at once
    # with "Please enter a positive integer.".
    click_control Properties $IDC_PROP_LOOPS
    xdotool key End shift+Home; xdotool type --delay 20 5; sleep 0.2
    click_control Properties 1; wait_gone Properties 5
    click_control Pelorama $IDC_PROPERTIES
    wait_dialog Properties 10
    expect "Properties OK keeps the edited loops for the window ($(dlg text Properties $IDC_PROP_LOOPS))" \
      [ "$(dlg text Properties $IDC_PROP_LOOPS)" = 5 ]
    click_control Properties 2; wait_gone Properties 5
  else
    fail "Properties opens for the first entry" "no dialog"
  fi
  # A real drop of yellow from outside: it joins the list.
  if drop_files Pelorama $IDC_PLAYLIST "$media/yellow.avi"; then
    expect "a file dropped onto the list is listed last" \
      [ "$(dlg list Pelorama $IDC_PLAYLIST | sed -n '4s/^[* ] //p')" = "$Y" ]
  else
    fail "a file dragged onto the settings window is taken" "the window refused the drop or never answered"
  fi
  click_entry Pelorama $IDC_PLAYLIST 0
  click_control Pelorama $IDC_DOWN            # Down
  click_control Pelorama $IDC_MUTE            # Mute off
  click_control Pelorama $IDC_RANDOM            # Random on
  click_control Pelorama $IDC_SELECT_ALL            # Select All
  click_control Pelorama $IDC_REMOVE            # Remove
  expect "Select All then Remove empties the list" [ -z "$(dlg list Pelorama $IDC_PLAYLIST)" ]
  rc=$(close_config cancel)
  expect "Cancel ends the settings window with 0 (rc=$rc)" [ "$rc" = 0 ]
  export_config "$E2E_OUT/config-after.reg"
  expect "after Cancel the Config section is byte for byte as it was" \
    cmp -s "$E2E_OUT/config-before.reg" "$E2E_OUT/config-after.reg"
else
  fail "PELOR.SCR /c shows a window captioned Pelorama" "none within 30 s"
fi
stop_program

# --- Add, Up, Down, Remove, Select All; OK stores the list and options ---
store_three
if open_config; then
  click_control Pelorama $IDC_ADD            # Add...
  if choose_file Open "$media/yellow.avi"; then
    expect "Add through the open-file dialog lists the file last and selects only it" \
      [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n  %s\n  %s\n* %s' "$R" "$G" "$B" "$Y")" ]
  else
    fail "Add shows the open-file dialog and takes a typed path" "no Open dialog"
  fi
  click_control Pelorama $IDC_SELECT_ALL            # Select All
  expect "Select All selects every entry" [ "$(dlg list Pelorama $IDC_PLAYLIST | grep -c '^\* ')" = 4 ]
  click_entry Pelorama $IDC_PLAYLIST 0
  click_entry Pelorama $IDC_PLAYLIST 2 ctrl
  click_control Pelorama $IDC_DOWN            # Down: red and blue move together
  expect "Down moves two separate entries one place each and keeps them selected" \
    [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n* %s\n  %s\n* %s' "$G" "$R" "$Y" "$B")" ]
  click_control Pelorama $IDC_DOWN            # blue stands at the bottom: nothing moves
  expect "Down with an entry at the bottom moves nothing" \
    [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n* %s\n  %s\n* %s' "$G" "$R" "$Y" "$B")" ]
  click_control Pelorama $IDC_UP            # Up
  expect "Up moves them back" \
    [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '* %s\n  %s\n* %s\n  %s' "$R" "$G" "$B" "$Y")" ]
  click_entry Pelorama $IDC_PLAYLIST 1
  click_control Pelorama $IDC_REMOVE            # Remove green
  expect "Remove takes the entry out and selects the one above" \
    [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '* %s\n  %s\n  %s' "$R" "$B" "$Y")" ]
  click_control Pelorama $IDC_MUTE            # Mute off
  click_control Pelorama $IDC_LETTERBOX            # Letterbox on
  rc=$(close_config ok)
  expect "OK ends the settings window with 0 (rc=$rc)" [ "$rc" = 0 ]
  stored="$(reg_value NumAVI) $(reg_value AVI0.File) $(reg_value AVI1.File) $(reg_value AVI2.File)"
  expect "OK stores the edited list ($stored)" [ "$stored" = "3 $R $B $Y" ]
  opts="$(reg_value Mute) $(reg_value Letterbox) $(reg_value Titles) $(reg_value Scale)"
  expect "OK stores the options (Mute Letterbox Titles Scale: $opts)" [ "$opts" = "0 1 1 4" ]
  # The stored list is what the saver plays: red, blue, then yellow.
  store_playlist_titles_off() { timeout 30 "$WINE" reg add "$CONFIG_KEY" /v Titles /t REG_DWORD /d 0 /f >/dev/null 2>&1; }
  store_playlist_titles_off
  timeout 30 "$WINE" reg add "$CONFIG_KEY" /v AVI2.LoopInfinite /t REG_DWORD /d 1 /f >/dev/null 2>&1
  seen=""
  start_saver && seen=$(colours_seen 40 config-run)
  expect "PELOR.SCR /s plays the list the settings window stored (seen: $seen)" [ "$seen" = "red blue yellow" ]
  end_saver
else
  fail "PELOR.SCR /c opens for Add" "no window"
fi
stop_program

# --- playlist files ---
# open_refused FILE WHAT: File, Open Playlist of FILE, which is not a
# playlist it can read, says so in the Error box and keeps the list (red,
# green, blue).
open_refused() {
  menu_dialog f o Open                   # File, Open Playlist...
  if choose_file Open "$1" && wait_dialog Error 10; then
    expect "Open Playlist of $2 says so in the Error box" \
      grep -qx 'The file you have selected is not a playlist.' <<<"$(dlg texts Error)"
    xdotool key Return; wait_gone Error 5
    expect "the list is unchanged after Open Playlist of $2" \
      [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n  %s\n  %s' "$R" "$G" "$B")" ]
  else
    fail "Open Playlist of $2 shows the Error box" "no Error box"
  fi
}

store_three
printf 'just some text, not a playlist\n' >"$media/notes.lst"
rm -f "$media/saved.lst"
if open_config; then
  open_refused "$media/notes.lst" "a text file"
  menu_dialog f s 'Save As'              # File, Save Playlist...
  if choose_file 'Save As' "$media/saved.lst" && wait_file "$media/saved.lst" 10; then
    expect "Save Playlist writes a file that the playlist reader reads back entry for entry" \
      [ "$("$PELOR_NATIVE_BIN/pelor_dump_playlist" "$media/saved.lst")" = "$(printf '%s\n%s\n%s' "$R" "$G" "$B")" ]
  else
    fail "Save Playlist writes the file" "no $media/saved.lst"
  fi
  # A playlist file replaces the list.
  store_playlist File="$media/yellow.avi"
  rc=$(close_config cancel)
  if open_config; then
    expect "a one-item registry opens with one entry" [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "  $Y" ]
    menu_dialog f o Open
    choose_file Open "$media/saved.lst"
    expect "Open Playlist of the saved file replaces the list with its items" \
      [ "$(dlg list Pelorama $IDC_PLAYLIST)" = "$(printf '  %s\n  %s\n  %s' "$R" "$G" "$B")" ]
    # The same file with its last 7 bytes cut off replaces nothing.
    head -c "$(( $(stat -c %s "$media/saved.lst") - 7 ))" "$media/saved.lst" >"$media/cut.lst"
    open_refused "$media/cut.lst" "a playlist cut short"
    close_config cancel >/dev/null
  else
    fail "PELOR.SCR /c opens again" "no window"
  fi
else
  fail "PELOR.SCR /c opens for the playlist files" "no window"
fi
stop_program

# expect_error_naming WHAT PATH: the Error box comes, names PATH and is closed.
expect_error_naming() {
  if wait_dialog Error 15; then
    expect "$1 names the file in the Error box" grep -qF "$(win_path "$2")" <<<"$(dlg texts Error)"
    xdotool key Return; wait_gone Error 5
  else
    fail "$1 shows the Error box" "no Error box"
  fi
}

# --- Save Playlist where no file can be made ---
# A folder whose name leaves no room for the new file written beside the old
# one: the Error box names the file, and nothing is written.
deep="$E2E_OUT/deep"
while [ ${#deep} -lt 240 ]; do deep="$deep/$(printf 'd%.0s' $(seq 1 $(( 247 - ${#deep} < 40 ? 247 - ${#deep} : 40 ))))"; done
mkdir -p "$deep"
store_three
if open_config && menu_dialog f s 'Save As'; then
  type_file_name 'Save As' "$deep/a.lst"
  xdotool key Return
  expect_error_naming "Save Playlist into a folder with no room for a new file" "$deep/a.lst"
  expect "and nothing is written there" [ -z "$(ls -A "$deep")" ]
  expect "the settings window stays open" wait_dialog Pelorama 5
  close_config cancel >/dev/null
else
  fail "PELOR.SCR /c opens and shows Save As for the deep folder" "no window"
fi
stop_program

# --- Save Playlist onto a full drive ---
# The old file stays whole and the Error box names it. The drive is a 96 KB
# tmpfs filled to its last page, which only root may mount.
small="$E2E_OUT/small-drive"
mkdir -p "$small"
if [ "$(id -u)" != 0 ]; then
  echo "SKIP Save Playlist onto a full drive: mounting a small drive needs root"
elif ! mount -t tmpfs -o size=96k tmpfs "$small" 2>/dev/null; then
  echo "SKIP Save Playlist onto a full drive: the small drive could not be mounted"
else
  store_three
  cp "$media/saved.lst" "$small/list.lst"
  cp "$small/list.lst" "$E2E_OUT/list-before.lst"
  head -c 200k /dev/zero >"$small/filler" 2>/dev/null
  store_playlist File="$media/yellow.avi" File="$media/red.avi" File="$media/green.avi" File="$media/blue.avi"
  if open_config && menu_dialog f s 'Save As'; then
    type_file_name 'Save As' "$small/list.lst"
    xdotool key Return; sleep 1
    xdotool key y                        # Yes, replace it
    expect_error_naming "Save Playlist onto the full drive" "$small/list.lst"
    expect "the playlist that was there is byte for byte as it was" cmp -s "$small/list.lst" "$E2E_OUT/list-before.lst"
    close_config cancel >/dev/null
  else
    fail "PELOR.SCR /c opens and shows Save As for the full drive" "no window"
  fi
  stop_program
  umount "$small"
fi

# --- the option dialogs and About ---
store_three
if open_config; then
  if menu_dialog o b 'Bounce Speed'; then   # Options, Bounce Speed...
    expect "the slider stands at 461 for the default speed 100" [ "$(dlg slider 'Bounce Speed' $IDC_SPEED_SLIDER)" = 461 ]
    # The thumb's middle: the channel runs from 8 pixels below the top of
    # the control to 8 above its bottom, position 1 at the top.
    read -r sx sy sw sh < <(dlg rect 'Bounce Speed' $IDC_SPEED_SLIDER)
    tx=$((sx + sw / 2 + 2)); ty=$((sy + 8 + (461 - 1) * (sh - 16) / 999))
    xdotool mousemove "$tx" "$ty" mousedown 1
    sleep 0.3; xdotool mousemove "$tx" $((ty - 10)); sleep 0.2; xdotool mousemove "$tx" $((sy - 30))
    sleep 0.3; xdotool mouseup 1; sleep 0.3
    expect "the slider dragged to its top end stands at 1" [ "$(dlg slider 'Bounce Speed' $IDC_SPEED_SLIDER)" = 1 ]
    click_control 'Bounce Speed' 1
    wait_gone 'Bounce Speed' 5
  else
    fail "Options, Bounce Speed opens its dialog" "none"
  fi
  if menu_dialog o p 'Power Settings'; then # Options, Power Settings...
    type_into 'Power Settings' $IDC_DELAY_MINUTES 61
    click_control 'Power Settings' 1
    if wait_dialog PELOR 5; then
      expect "61 minutes are refused with the range message" \
        grep -qx 'Please enter an integer between 1 and 60.' <<<"$(dlg texts PELOR)"
      xdotool key Return; wait_gone PELOR 5
      expect "the refused field has the focus again" [ "$(dlg focus 'Power Settings')" = "$IDC_DELAY_MINUTES" ]
    else
      fail "61 minutes are refused" "no message box"
    fi
    expect "the Power Settings dialog stays open after the refusal" wait_dialog 'Power Settings' 1
    type_into 'Power Settings' $IDC_DELAY_MINUTES 60
    click_control 'Power Settings' 1
    expect "60 minutes are accepted" wait_gone 'Power Settings' 5
  else
    fail "Options, Power Settings opens its dialog" "none"
  fi
  if menu_dialog f a 'About Pelorama'; then # File, About Pelorama...
    screenshot "$E2E_OUT/config-about.png"
    addresses="$(dlg text 'About Pelorama' $IDC_UPDATES_ADDRESS) $(dlg text 'About Pelorama' $IDC_BUGS_ADDRESS) $(dlg text 'About Pelorama' $IDC_EMAIL_ADDRESS)"
    expect "About shows the three addresses ($addresses)" \
      [ "$addresses" = "http://www.tolvane-arts.example/pelorama/ http://www.tolvane-arts.example/pelorama/bugs/ pelorama@tolvane-arts.example" ]
    styles="$(dlg style 'About Pelorama' $IDC_UPDATES_ADDRESS) $(dlg style 'About Pelorama' $IDC_BUGS_ADDRESS) $(dlg style 'About Pelorama' $IDC_EMAIL_ADDRESS)"
    readonly_all=yes
    for s in $styles; do [ $((0x$s & 0x800)) -ne 0 ] || readonly_all=no; done
    expect "the address fields are read-only ($styles)" [ "$readonly_all" = yes ]
    click_control 'About Pelorama' $IDC_UPDATES_ADDRESS
    xdotool key End; xdotool type xyz; xdotool key BackSpace Delete
    expect "typing into an address field changes nothing" \
      [ "$(dlg text 'About Pelorama' $IDC_UPDATES_ADDRESS)" = "http://www.tolvane-arts.example/pelorama/" ]
    click_control 'About Pelorama' 1
    wait_gone 'About Pelorama' 5
  else
    fail "File, About opens the about box" "none"
  fi
  rc=$(close_config ok)
  expect "OK after the option dialogs ends with 0 (rc=$rc)" [ "$rc" = 0 ]
  expect "the dragged slider stored BounceSpeed 1 ($(reg_value BounceSpeed))" [ "$(reg_value BounceSpeed)" = 1 ]
  expect "the accepted 60 minutes are stored ($(reg_value DelayMinutes))" [ "$(reg_value DelayMinutes)" = 60 ]
else
  fail "PELOR.SCR /c opens for the option dialogs" "no window"
fi
stop_program

# --- Other monitors: each choice, made with the mouse or the keys, is stored
# by OK and shown at the next opening; Cancel leaves it; a stored number the
# saver does not know shows as Black and stays through OK ---
MONITOR_CHOICES=("Black" "Each its own movies" "The same movie" "One movie across all")
# pick_monitors N: makes choice N in the settings window, a different way
# for each: the dropped list and its keys, the label's mnemonic and a first
# letter, the dropped list's last entry, the mnemonic and Home.
pick_monitors() {
  case $1 in
    1) click_control Pelorama $IDC_MONITORS; xdotool key Down; sleep 0.2; xdotool key Return ;;
    2) focus_window Pelorama; xdotool key alt+h; sleep 0.3; xdotool key t ;;
    3) click_control Pelorama $IDC_MONITORS; xdotool key End; sleep 0.2; xdotool key Return ;;
    0) focus_window Pelorama; xdotool key alt+h; sleep 0.3; xdotool key Home ;;
  esac
  sleep 0.3
}
store_three
shown_before=0
for choice in 1 2 3 0; do
  if open_config; then
    shown=$(dlg combo Pelorama $IDC_MONITORS)
    expect "Other monitors shows the stored choice ${MONITOR_CHOICES[$shown_before]} ($shown)" [ "$shown" = "$shown_before" ]
    pick_monitors "$choice"
    [ "$choice" = 2 ] && expect "Alt+H puts the focus on Other monitors" \
      [ "$(dlg focus Pelorama)" = "$IDC_MONITORS" ]
    expect "choosing ${MONITOR_CHOICES[$choice]} shows it ($(dlg combo Pelorama $IDC_MONITORS))" \
      [ "$(dlg combo Pelorama $IDC_MONITORS)" = "$choice" ]
    [ "$choice" = 3 ] && screenshot "$E2E_OUT/config-monitors.png"
    rc=$(close_config ok)
    expect "OK stores Other monitors ${MONITOR_CHOICES[$choice]} as Monitors $choice (rc=$rc, $(reg_value Monitors))" \
      [ "$rc" = 0 -a "$(reg_value Monitors)" = "$choice" ]
    shown_before=$choice
  else
    fail "PELOR.SCR /c opens to choose Other monitors ${MONITOR_CHOICES[$choice]}" "no window"
  fi
  stop_program
done
if open_config; then
  pick_monitors 3
  rc=$(close_config cancel)
  expect "Cancel after choosing One movie across all leaves Monitors 0 ($(reg_value Monitors))" \
    [ "$rc" = 0 -a "$(reg_value Monitors)" = 0 ]
else
  fail "PELOR.SCR /c opens to cancel a choice of Other monitors" "no window"
fi
stop_program
timeout 30 "$WINE" reg add "$CONFIG_KEY" /v Monitors /t REG_DWORD /d 7 /f >/dev/null 2>&1
if open_config; then
  expect "a stored Monitors 7 shows as Black ($(dlg combo Pelorama $IDC_MONITORS))" \
    [ "$(dlg combo Pelorama $IDC_MONITORS)" = 0 ]
  click_control Pelorama $IDC_MUTE
  rc=$(close_config ok)
  expect "OK with another change keeps the stored Monitors 7 ($(reg_value Monitors))" \
    [ "$rc" = 0 -a "$(reg_value Monitors)" = 7 ]
else
  fail "PELOR.SCR /c opens with Monitors 7" "no window"
fi
stop_program
store_playlist clear
exit $((E2E_FAILED > 0))
