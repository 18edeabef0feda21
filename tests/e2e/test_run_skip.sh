#!/usr/bin/env bash
# Items that cannot play are dropped and the next item plays: a missing file,
# a 0-byte file, a text file named .avi and a device type no one has, each
# followed by a clip of its own colour. A device type longer than any real
# one (which the system's open cannot take) is dropped as well.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-skip"
mkdir -p "$media"
fixture avi "$media/red.avi" 160 120 25 10 0
fixture avi "$media/green.avi" 160 120 25 10 1
fixture avi "$media/blue.avi" 160 120 25 10 2
fixture avi "$media/yellow.avi" 160 120 25 10 3
: >"$media/empty.avi"
printf 'This is not a movie.\n' >"$media/text.avi"

store_playlist \
  File="$media/missing.avi" File="$media/red.avi" \
  File="$media/empty.avi" File="$media/green.avi" \
  File="$media/text.avi" File="$media/blue.avi" \
  File="$media/yellow.avi" MCI=nosuchdevice \
  File="$media/yellow.avi" MCI="$(printf 'v%.0s' {1..1000})" \
  File="$media/yellow.avi" MCI="$(printf 'v%.0s' {1..200})" \
  File="$media/yellow.avi" LoopInfinite=1

# The colours seen at the screen centre, in order, each once.
seen=""
start_saver && seen=$(colours_seen 60 skip)
begins() { [ "${1#"$2"}" != "$1" ]; }
expect "a missing file is skipped and the next clip plays (seen: $seen)" begins "$seen" red
expect "a 0-byte file is skipped and the next clip plays" begins "$seen" "red green"
expect "a text file named .avi is skipped and the next clip plays" begins "$seen" "red green blue"
expect "a device type no one has is skipped and the next clip plays" [ "$seen" = "red green blue yellow" ]
expect "the saver is still running after the failures, long device types too" saver_running
end_saver
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
