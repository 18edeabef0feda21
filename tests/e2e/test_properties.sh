#!/usr/bin/env bash
# The properties dialog of the real PELOR.SCR /c, opened with the Properties
# button and by a double-click, for one or several entries: mixed values
# left alone, a first click that clears a mixed box, the scaling choice, the
# alignment pictures and buttons, the loop question, a typed title; and what
# the saver then shows.
set -u
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
media="$E2E_OUT/media-properties"
mkdir -p "$media"
fixture avi "$media/red.avi" 160 120 10 10 0
fixture avi "$media/green.avi" 160 120 10 10 1
fixture avi "$media/blue.avi" 160 120 10 10 2
fixture avi "$media/yellow.avi" 160 120 10 10 3

store_four() {
  store_playlist Titles=0 File="$media/red.avi" Mute=1 Scale=2 File="$media/green.avi" Mute=0 Scale=5 \
    File="$media/blue.avi" Align=4 File="$media/yellow.avi"
}

# properties_of FIRST [CTRL-CLICKED...]: selects the entries (a click on the
# first, Ctrl-clicks on the rest) and presses Properties; true once the
# dialog is up.
properties_of() {
  click_entry Pelorama $IDC_PLAYLIST "$1"; shift
  local n
  for n in "$@"; do click_entry Pelorama $IDC_PLAYLIST "$n" ctrl; done
  click_control Pelorama $IDC_PROPERTIES
  wait_dialog Properties 10
}

# ok_both: OK in the properties dialog, then OK in the settings window.
ok_both() {
  click_control Properties 1; wait_gone Properties 5
  close_config ok
}

# black_box FILE X Y W H: "W H X Y" of the black pixels inside a rectangle of
# a screenshot, one pixel in from its edges (the button's own frame);
# "0 0 0 0" when there are none.
black_box() {
  local w h x y
  read -r w h x y < <(convert "$1" -crop "$(($4 - 2))x$(($5 - 2))+$(($2 + 1))+$(($3 + 1))" +repage \
    -fill white +opaque black -bordercolor white -border 1 -trim -format '%w %h %X %Y\n' info: 2>/dev/null)
  if [ -z "${x:-}" ] || [ "$x" = -1 ]; then echo "0 0 0 0"; return; fi
  echo "$w $h $((x - 1 + $2 + 1)) $((y - 1 + $3 + 1))"
}

# --- Mute: mixed, left alone, then one click clears it ---
store_four
if open_config && properties_of 0 1; then
  screenshot "$E2E_OUT/properties-dialog.png"
  expect "two entries with Mute 1 and 0 show the Mute box indeterminate" [ "$(dlg checked Properties $IDC_PROP_MUTE)" = 2 ]
  expect "two entries with Scale 2 and 5 show \"Don't change\"" [ "$(dlg combo Properties $IDC_PROP_SCALE)" = 8 ]
  rc=$(ok_both)
  expect "OK, OK without touching Mute keeps both ($(reg_value AVI0.Mute) $(reg_value AVI1.Mute), rc=$rc)" \
    [ "$(reg_value AVI0.Mute) $(reg_value AVI1.Mute)" = "1 0" ]
else
  fail "Properties opens for two entries" "no dialog"
fi
stop_program
if open_config && properties_of 0 1; then
  click_control Properties $IDC_PROP_MUTE
  expect "one click on the indeterminate Mute box clears it" [ "$(dlg checked Properties $IDC_PROP_MUTE)" = 0 ]
  rc=$(ok_both)
  expect "OK, OK then unmutes both ($(reg_value AVI0.Mute) $(reg_value AVI1.Mute))" \
    [ "$(reg_value AVI0.Mute) $(reg_value AVI1.Mute)" = "0 0" ]
  expect "the other items keep their Mute ($(reg_value AVI2.Mute) $(reg_value AVI3.Mute))" \
    [ "$(reg_value AVI2.Mute) $(reg_value AVI3.Mute)" = "0 0" ]
else
  fail "Properties opens again for two entries" "no dialog"
fi
stop_program

# --- Scaling: "Don't change", then Half original size for both ---
if open_config && properties_of 0 1; then
  click_control Properties $IDC_PROP_SCALE          # opens the list
  xdotool key Home Down Down Down Return; sleep 0.3
  expect "the scaling combo now shows Half original size" [ "$(dlg combo Properties $IDC_PROP_SCALE)" = 3 ]
  rc=$(ok_both)
  expect "Half original size stores Scale 3 for both ($(reg_value AVI0.Scale) $(reg_value AVI1.Scale))" \
    [ "$(reg_value AVI0.Scale) $(reg_value AVI1.Scale)" = "3 3" ]
else
  fail "Properties opens for the scaling" "no dialog"
fi
stop_program

# --- the alignment pictures, and Right for three entries ---
# Button id, then where its block sits across and down (0 left/top, 2 right/bottom).
buttons="$IDC_PROP_ALIGN_UPPERLEFT:0:0 $IDC_PROP_ALIGN_TOP:1:0 $IDC_PROP_ALIGN_UPPERRIGHT:2:0 $IDC_PROP_ALIGN_LEFT:0:1 $IDC_PROP_ALIGN_CENTER:1:1 $IDC_PROP_ALIGN_RIGHT:2:1 $IDC_PROP_ALIGN_LOWERLEFT:0:2 $IDC_PROP_ALIGN_BOTTOM:1:2 $IDC_PROP_ALIGN_LOWERRIGHT:2:2"
if open_config && properties_of 0 1 2; then
  expect "three entries, two with Align 4, one with 0: no alignment button pressed" \
    [ "$(for b in $IDC_PROP_ALIGN_CENTER $IDC_PROP_ALIGN_BOTTOM $IDC_PROP_ALIGN_TOP $IDC_PROP_ALIGN_LEFT $IDC_PROP_ALIGN_RIGHT $IDC_PROP_ALIGN_LOWERLEFT $IDC_PROP_ALIGN_LOWERRIGHT $IDC_PROP_ALIGN_UPPERLEFT $IDC_PROP_ALIGN_UPPERRIGHT; do dlg checked Properties $b; done | sort -u)" = 0 ]
  shot="$E2E_OUT/properties-align.png"
  screenshot "$shot"
  pictures_ok=yes; detail=""
  for entry in $buttons; do
    IFS=: read -r id across down <<<"$entry"
    read -r bx by bw bh < <(dlg rect Properties "$id")
    read -r w h x y < <(black_box "$shot" "$bx" "$by" "$bw" "$bh")
    detail="$detail $id:${w}x$h"
    [ "$w $h" = "6 4" ] || { pictures_ok=no; continue; }
    # The block's middle against the button's middle: left, centre or right.
    dx=$(( (x + 3) - (bx + bw / 2) )); dy=$(( (y + 2) - (by + bh / 2) ))
    side_x=1; [ "$dx" -lt -2 ] && side_x=0; [ "$dx" -gt 2 ] && side_x=2
    side_y=1; [ "$dy" -lt -2 ] && side_y=0; [ "$dy" -gt 2 ] && side_y=2
    [ "$side_x $side_y" = "$across $down" ] || { pictures_ok=no; detail="$detail(at $dx,$dy)"; }
  done
  expect "each alignment button shows its picture, the black block toward its place ($detail)" [ "$pictures_ok" = yes ]
  click_control Properties $IDC_PROP_ALIGN_RIGHT          # Right
  expect "Right is pressed after the click" [ "$(dlg checked Properties $IDC_PROP_ALIGN_RIGHT)" = 1 ]
  rc=$(ok_both)
  expect "Right stores Align 5 for the three entries ($(reg_value AVI0.Align) $(reg_value AVI1.Align) $(reg_value AVI2.Align))" \
    [ "$(reg_value AVI0.Align) $(reg_value AVI1.Align) $(reg_value AVI2.Align)" = "5 5 5" ]
  expect "the fourth entry keeps Align 0 ($(reg_value AVI3.Align))" [ "$(reg_value AVI3.Align)" = 0 ]
else
  fail "Properties opens for three entries" "no dialog"
fi
stop_program
# The saver then shows the first movie at the right edge, at its own size.
timeout 30 "$WINE" reg add "$CONFIG_KEY" /v AVI0.Scale /t REG_DWORD /d 1 /f >/dev/null 2>&1
timeout 30 "$WINE" reg add "$CONFIG_KEY" /v AVI0.LoopInfinite /t REG_DWORD /d 1 /f >/dev/null 2>&1
if start_saver && wait_colour 760 300 red 30 "$E2E_OUT/properties-right.png"; then
  box=$(shown_box "$E2E_OUT/properties-right.png")
  read -r w h x y <<<"$box"
  expect "PELOR.SCR /s shows the Right-aligned movie against the right edge (box $box)" \
    [ "$((x + w))" = 800 -a "$w" = 160 -a "$y" -ge 230 -a "$y" -le 250 ]
else
  fail "PELOR.SCR /s shows the Right-aligned movie" "no red at the right edge"
fi
end_saver

# --- Loop Indefinitely with several entries asks; No clears the box ---
store_four
if open_config && properties_of 3; then
  click_control Properties $IDC_PROP_LOOP_INFINITE
  if wait_dialog Confirm 5; then
    pass "Loop Indefinitely with four entries in the list asks the Confirm question"
    xdotool key n; wait_gone Confirm 5
    expect "No clears Loop Indefinitely" [ "$(dlg checked Properties $IDC_PROP_LOOP_INFINITE)" = 0 ]
    style=$(dlg style Properties $IDC_PROP_LOOPS)
    expect "the loops field stays enabled ($style)" [ $((0x$style & 0x08000000)) -eq 0 ]
  else
    fail "Loop Indefinitely with four entries asks the Confirm question" "no Confirm box"
  fi
  click_control Properties 2; wait_gone Properties 5
  close_config cancel >/dev/null
else
  fail "Properties opens for one entry" "no dialog"
fi
stop_program

# --- a double-click edits that entry alone; its typed title shows on the card ---
store_playlist Titles=1 File="$media/yellow.avi" TitleBefore=1 LoopInfinite=1 File="$media/red.avi"
if open_config; then
  click_entry Pelorama $IDC_PLAYLIST 1
  read -r x y w h < <(dlg item Pelorama $IDC_PLAYLIST 0)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat 2 --delay 60 1
  if wait_dialog Properties 10; then
    expect "the double-clicked entry alone is selected" \
      [ "$(dlg list Pelorama $IDC_PLAYLIST | grep -c '^\* ')" = 1 ]
    expect "the dialog edits one entry: its title field is writable" \
      [ $((0x$(dlg style Properties $IDC_PROP_TITLE) & 0x08000800)) -eq 0 ]
    type_into Properties $IDC_PROP_TITLE 'WIDE TITLE TYPED HERE'
    rc=$(ok_both)
    expect "the typed title reaches the registry ($(reg_value AVI0.Title))" [ "$(reg_value AVI0.Title)" = 'WIDE TITLE TYPED HERE' ]
    expect "the other entry keeps its empty title ($(reg_value AVI1.Title))" [ -z "$(reg_value AVI1.Title)" ]
  else
    fail "a double-click on an entry opens the properties dialog" "no dialog"
  fi
else
  fail "PELOR.SCR /c opens for the double-click" "no window"
fi
stop_program
if start_saver; then
  card=""
  for _ in $(seq 1 40); do
    screenshot "$E2E_OUT/properties-title.png"
    read -r w h x y < <(shown_box "$E2E_OUT/properties-title.png")
    if [ "$w" -gt 0 ] && [ "$(colour_at "$E2E_OUT/properties-title.png" 400 300)" != yellow ]; then card=yes; break; fi
    sleep 0.2
  done
  # The typed title is far wider than the file name's "yellow" would be.
  expect "PELOR.SCR /s shows the typed title on the card (text ${w:-0} px wide)" [ -n "$card" -a "${w:-0}" -ge 300 ]
fi
end_saver
store_playlist clear
exit $((E2E_FAILED > 0))
