#!/usr/bin/env bash
# A held-down skip key: hundreds of N, Left and Right presses, faster than
# movies can be started, neither end the saver nor leave it deaf: the Space
# that follows ends it within a second.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-burst"
mkdir -p "$media"
fixture avi "$media/red.avi" 160 120 25 10 0
fixture avi "$media/green.avi" 160 120 25 10 1
fixture avi "$media/blue.avi" 160 120 25 10 2
store_playlist File="$media/red.avi" LoopInfinite=1 File="$media/green.avi" LoopInfinite=1 \
  File="$media/blue.avi" LoopInfinite=1

if start_saver && wait_colour 400 300 red 20 "$E2E_OUT/burst.png"; then
  keys=()
  for ((i = 0; i < 300; i++)); do keys+=(n); done
  for ((i = 0; i < 100; i++)); do keys+=(Left Right); done
  xdotool key --delay 15 "${keys[@]}"
  expect "600 skip keys leave the saver running" saver_running
  start=$(date +%s%N)
  xdotool key space
  while saver_running && [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 30000 ]; do sleep 0.05; done
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  expect "after the burst, Space ends the saver within a second (${ms} ms)" [ "$ms" -le 1000 ]
else
  fail "the saver plays the first clip" "no red at the centre"
fi
end_saver
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
