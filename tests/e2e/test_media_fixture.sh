#!/usr/bin/env bash
# Our own fixtures through Wine's real MCI devices: the avivideo device opens
# both clip sizes, reports the clip's size as its source rectangle and plays
# to the end; the waveaudio device opens and plays the tone.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-fixture"
mkdir -p "$media"
fixture avi "$media/large.avi" 320 180 10 10 0
fixture avi "$media/small.avi" 160 120 10 10 1
fixture wav "$media/tone.wav" 1000 440

probe() { timeout 60 "$WINE" "$PELOR_BIN/pelor_mci_probe.exe" "$(win_path "$1")" 2>/dev/null | tr -d '\r'; }

for clip in "large 320 180" "small 160 120"; do
  read -r name w h <<<"$clip"
  out=$(probe "$media/$name.avi")
  expect "avivideo opens the ${w}x${h} fixture" grep -qx 'open 0' <<<"$out"
  expect "its source rectangle is the clip's size ($(grep where <<<"$out"))" grep -qx "where 0 0 $w $h" <<<"$out"
  expect "it plays to the end ($(grep play <<<"$out"))" grep -q '^play 0 ' <<<"$out"
done
out=$(probe "$media/tone.wav")
expect "waveaudio opens and plays the tone ($(tr '\n' ' ' <<<"$out"))" \
  grep -qx 'open 0' <<<"$out"
expect "the tone has no picture and plays to the end" grep -qzE 'where none.play 0 ' <<<"$out"
[ "$E2E_FAILED" -eq 0 ]
