#!/usr/bin/env bash
# Folder entries: a folder with red and green clips, blue in a subfolder, a
# text file and a text file named .avi plays red, green, blue in that order;
# an empty folder before it is dropped. With Random all three play within
# their lengths; a clip copied in between two runs plays in the second; Mute
# and Loops 2 play each clip twice. A link back to the folder and a chain of
# 100 nested folders end the walk. Add Folder in the settings window, OK,
# then /s plays the folder.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
media="$E2E_OUT/media-folders"
clips="$media/clips"
rm -rf "$media"
mkdir -p "$clips/a-sub" "$media/empty"
# 1.5 s each. The subfolder's name comes first, its clip after the folder's own.
fixture avi "$clips/b-red.avi" 160 120 15 10 0
fixture avi "$clips/c-green.avi" 160 120 15 10 1
fixture avi "$clips/a-sub/blue.avi" 160 120 15 10 2
fixture avi "$media/yellow.avi" 160 120 15 10 3
printf 'notes\n' >"$clips/a-notes.txt"
printf 'This is not a movie.\n' >"$clips/c-not-a-movie.AVI"
ln -s .. "$clips/a-sub/loop"   # a link that leads back to the folder
deep="$clips/e-deep"
for _ in $(seq 100); do deep="$deep/d"; done
mkdir -p "$deep"

seen=""
store_playlist File="$media/empty" File="$clips" File="$media/yellow.avi" LoopInfinite=1
start_saver && seen=$(colours_seen 40 folder-order)
expect "the folder plays red, green, then the subfolder's blue, then the next entry (seen: $seen)" \
  [ "$seen" = "red green blue yellow" ]
end_saver

line=""
store_playlist Random=1 File="$clips"
start_saver && line=$(timeline 14 folder-random)
end_saver
for c in red green blue; do
  t=$(at "$c" "$line")
  expect "Random plays $c of the folder within the three clips' time ($line)" [ "$t" -ge 0 -a "$t" -le 11000 ]
done

fixture avi "$clips/d-cyan.avi" 160 120 15 10 4
store_playlist File="$clips" File="$media/yellow.avi" LoopInfinite=1
once=""
start_saver && once=$(timeline 40 folder-copied)
seen=$(sed -E 's/:[0-9]+//g' <<<"$once")
expect "a clip copied in since the last run plays in this one (seen: $seen)" \
  [ "$seen" = "red green cyan blue yellow" ]
end_saver

line=""
store_playlist File="$clips" Mute=1 Loops=2 File="$media/yellow.avi" LoopInfinite=1
start_saver && line=$(timeline 50 folder-loops)
end_saver
# Red, green and cyan each play once more than before: 4.5 s more from the
# first red to the first blue.
twice=$(( $(at blue "$line") - $(at red "$line") )) single=$(( $(at blue "$once") - $(at red "$once") ))
expect "Loops 2 on the folder plays each of its clips twice ($line; once: $once)" \
  [ "$(at red "$line")" -ge 0 -a "$(at blue "$line")" -ge 0 -a $((twice - single)) -ge 3000 ]
# --- the settings window: Add Folder, OK, then the saver plays the folder ---
picked='C:\pelor-folder-pick\clips'
pick="$WINEPREFIX/drive_c/pelor-folder-pick/clips"
mkdir -p "$pick/sub"
cp "$clips/b-red.avi" "$clips/c-green.avi" "$pick/"
cp "$clips/a-sub/blue.avi" "$pick/sub/"
store_playlist File="$picked\b-red.avi"
if open_config; then
  click_entry Pelorama 1008 0   # the browser opens at this entry's folder
  if menu_dialog y f "Browse for Folder"; then
    # Wine's browser opens the tree down to the drive, but does not always
    # select a folder that Linux made; the folders are picked by typing
    # their names, as a user may.
    sleep 1
    read -r tx ty _ _ < <(dlg rect "Browse for Folder" 14145)   # its tree
    click_at $((tx + 50)) $((ty + 9))                           # Desktop, at the top
    xdotool type --delay 40 pelor-folder-pick; sleep 1.5
    xdotool key Right; sleep 0.5
    xdotool type --delay 40 clips; sleep 1
    click_control "Browse for Folder" 1   # OK
    wait_gone "Browse for Folder" 10
  else
    fail "Playlist > Add Folder opens the system's folder browser" "none within the tries"
  fi
  expect "Add Folder adds the chosen folder as one entry, selected ($(dlg list Pelorama 1008))" \
    [ "$(dlg list Pelorama 1008)" = "$(printf '  %s\n* %s' "$picked\b-red.avi" "$picked")" ]
  click_entry Pelorama 1008 0
  click_control Pelorama 1011   # Remove the file entry
  click_control Pelorama 1010   # Add... the last clip
  choose_file Open "$media/yellow.avi"
  rc=$(close_config ok)
  expect "OK stores the folder entry first (rc=$rc)" [ "$(reg_value AVI0.File)" = "$picked" ]
else
  fail "PELOR.SCR /c shows a window captioned Pelorama" "none within 30 s"
fi
stop_program
seen=""
start_saver && seen=$(colours_seen 40 folder-added)
expect "the folder added in the settings window plays (seen: $seen)" [ "$seen" = "red green blue yellow" ]
end_saver
rm -rf "$WINEPREFIX/drive_c/pelor-folder-pick"

store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
