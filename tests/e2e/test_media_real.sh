#!/usr/bin/env bash
# Real-world media made now by a real encoder (Debian's ffmpeg) play through
# Wine's MCI devices inside the saver and end, so the next item starts:
# MS Video 1 and Cinepak AVI, MPEG-1 video, MP3 and WAV. A MIDI item (no
# MIDI output under Wine) does not stall the playlist.
set -u
source "$(dirname "$0")/lib.sh"
media="$E2E_OUT/media-real"
# Should a player crash inside Wine, no crash dialog may stay on the screen
# for the scripts that follow.
timeout 30 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
mkdir -p "$media"
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
enc -f lavfi -i color=c=red:s=160x120:r=10:d=3 -c:v msvideo1 "$media/msvideo1.avi"
enc -f lavfi -i color=c=lime:s=160x120:r=10:d=3 -c:v cinepak "$media/cinepak.avi"
enc -f lavfi -i color=c=blue:s=160x120:r=25:d=3 -c:v mpeg1video -f mpeg "$media/mpeg1.mpg"
enc -f lavfi -i sine=f=440:d=2 -c:a libmp3lame -b:a 64k "$media/tone.mp3"
enc -f lavfi -i sine=f=660:d=2 -c:a pcm_s16le "$media/tone.wav"
# One note of a standard MIDI file, format 0.
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\14\0\220\74\100\140\200\74\100\0\377\57\0' >"$media/note.mid"
fixture avi "$media/yellow.avi" 160 120 20 10 3

probe() { timeout 60 "$WINE" "$PELOR_BIN/pelor_mci_probe.exe" "$(win_path "$1")" 2>/dev/null | tr -d '\r'; }
mpeg_play_ms=0
for f in msvideo1.avi cinepak.avi mpeg1.mpg; do
  out=$(probe "$media/$f")
  expect "$f opens and plays through MCI with a 160x120 picture ($(tr '\n' ' ' <<<"$out"))" \
    grep -qzE 'open 0.where 0 0 160 120.play 0 ' <<<"$out"
  [ "$f" = mpeg1.mpg ] && mpeg_play_ms=$(sed -n 's/^play 0 //p' <<<"$out")
done
for f in tone.mp3 tone.wav; do
  out=$(probe "$media/$f")
  expect "$f opens and plays through MCI ($(tr '\n' ' ' <<<"$out"))" grep -qzE 'open 0.where none.play 0 ' <<<"$out"
  # How long this Wine's device takes to play it for a bare MCI program.
  play_ms=$(sed -n 's/^play 0 \([0-9]*\).*/\1/p' <<<"$out")
  [ "$f" = tone.mp3 ] && mp3_play_ms=${play_ms:-0}
  [ "$f" = tone.wav ] && wav_play_ms=${play_ms:-0}
done


store_playlist File="$media/msvideo1.avi" File="$media/cinepak.avi" File="$media/tone.mp3" \
  File="$media/tone.wav" File="$media/yellow.avi" LoopInfinite=1
times=""
start_saver && times=$(timeline 60 media-timeline)
seen=$(sed -E 's/:[0-9]+//g' <<<"$times")
expect "the MS Video 1 clip shows, then the Cinepak clip (seen: $times)" [ "${seen:0:9}" = "red green" ]
expect "the Cinepak clip, the MP3 and the WAV end, and the next item plays" [ "$seen" = "red green yellow" ]
# The 3 s Cinepak clip, then the MP3 and the WAV for as long as the bare MCI
# program saw their devices play them (some Wine builds' MP3 device ends its
# play at once): dropping the sounds would bring yellow about 3 s after green.
audio_ms=$(( $(at yellow "$times") - $(at green "$times") ))
least_ms=$(( 2700 + (${mp3_play_ms:-0} + ${wav_play_ms:-0}) * 9 / 10 ))
expect "the MP3 and the WAV play their length before the next item (${audio_ms} ms after green, MCI plays them in ${mp3_play_ms:-?} + ${wav_play_ms:-?} ms)" \
  [ "$audio_ms" -ge "$least_ms" ]
end_saver

# Some Wine builds' MPEGVideo device (the 64-bit one here) accepts the
# 3-second clip but "plays" it to the end in a few milliseconds without a
# picture, even for a bare MCI program; the saver cannot show what the
# device does not play, so that case is reported, not counted.
if [ "${mpeg_play_ms:-0}" -ge 1500 ]; then
  store_playlist File="$media/mpeg1.mpg" File="$media/yellow.avi" LoopInfinite=1
  seen=""
  start_saver && seen=$(colours_seen 40 media)
  expect "the MPEG-1 clip shows, ends, and the next item plays (seen: $seen)" [ "$seen" = "blue yellow" ]
  end_saver
else
  echo "SKIP the MPEG-1 clip in the saver: this Wine's MPEGVideo device plays the 3 s clip in ${mpeg_play_ms:-?} ms for a bare MCI program too"
fi

store_playlist File="$media/note.mid" File="$media/yellow.avi" LoopInfinite=1
seen=""
start_saver && seen=$(colours_seen 30 media)
expect "a MIDI item does not stall the playlist (seen: $seen)" [ "$seen" = yellow ]
end_saver

# Five still frames of 4 s each: the position stands still for seconds at a
# time. Wine's AVI device itself plays such a clip for about 12 s (its last
# frames' time is cut short even for a bare MCI program); the saver must not
# take it off before the device ends it.
enc -f lavfi -i color=c=red:s=160x120:r=0.25:d=20 -c:v msvideo1 -r 0.25 "$media/slow.avi"
store_playlist File="$media/slow.avi" File="$media/yellow.avi" LoopInfinite=1
times=""
start_saver && times=$(timeline 40 media-timeline)
slow_ms=$(at yellow "$times")
expect "a clip of still frames plays until its device ends it (next item at ${slow_ms} ms: $times)" \
  [ "$slow_ms" -ge 9000 -a "$slow_ms" -le 25000 ]
end_saver
# Repeating for ever, the same clip is still up well past its length and margin.
store_playlist File="$media/slow.avi" LoopInfinite=1 File="$media/yellow.avi"
if start_saver && wait_colour 400 300 red 20 "$E2E_OUT/media-loop.png"; then
  sleep 20
  screenshot "$E2E_OUT/media-loop.png"
  expect "a LoopInfinite item never ends by itself (at 20 s: $(colour_at "$E2E_OUT/media-loop.png" 400 300))" \
    [ "$(colour_at "$E2E_OUT/media-loop.png" 400 300)" = red ]
else
  fail "a LoopInfinite item never ends by itself" "the clip never showed"
fi
end_saver
store_playlist clear
[ "$E2E_FAILED" -eq 0 ]
