#!/usr/bin/env bash
# Writes the movies the in-process QuickTime movie tests play, with Debian's
# ffmpeg, into DIR (once: an existing set is kept).
#   make-media.sh DIR
set -eu
dir=$1
mkdir -p "$dir"
[ -f "$dir/.complete" ] && [ -f "$dir/padded.mp4" ] && exit 0
enc() { ffmpeg -loglevel error -y "$@" </dev/null; }
h264=(-c:v libx264 -preset ultrafast -pix_fmt yuv420p)
# Red for the first second, blue for the second, a beep at each second's start.
enc -f lavfi -i "color=c=red:s=320x240:r=25:d=1[a];color=c=blue:s=320x240:r=25:d=1[b];[a][b]concat=n=2" \
  -f lavfi -i "sine=f=880:d=2,volume=enable='gt(mod(t,1),0.1)':volume=0" "${h264[@]}" -c:a aac -shortest "$dir/redblue.mov"
# Top half red, bottom half blue: the rows' order shows.
enc -f lavfi -i "color=c=red:s=320x240:r=25:d=2,drawbox=y=120:w=320:h=120:color=blue:t=fill" "${h264[@]}" "$dir/halves.mov"
enc -f lavfi -i color=c=lime:s=320x240:r=25:d=2 -c:v mjpeg -q:v 3 "$dir/mjpeg.mov"
enc -f lavfi -i color=c=yellow:s=320x180:r=25:d=2 -f lavfi -i sine=f=440:d=2 "${h264[@]}" -c:a aac -shortest "$dir/phone.mp4"
enc -f lavfi -i color=c=red:s=160x120:r=25:d=1 -frames:v 1 "${h264[@]}" "$dir/oneframe.mov"
enc -f lavfi -i sine=f=440:d=1 -c:a pcm_s16le "$dir/sound.mov"
enc -f lavfi -i color=c=blue:s=3840x2160:r=10:d=1 "${h264[@]}" "$dir/uhd.mov"
# Sound in a format no decoder knows (its sample description renamed), and a
# picture in one.
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 -f lavfi -i sine=f=440:d=2 "${h264[@]}" -c:a pcm_s16le -shortest \
  "$dir/badsound.mov"
enc -f lavfi -i color=c=red:s=320x240:r=25:d=2 "${h264[@]}" "$dir/badpicture.mov"
python3 - "$dir" <<'PY'
import sys
d = sys.argv[1]
for name, old in (("badsound.mov", b"sowt"), ("badpicture.mov", b"avc1")):
    data = open(f"{d}/{name}", "rb").read()
    assert old in data, (name, old)
    open(f"{d}/{name}", "wb").write(data.replace(old, b"zzzz"))
# a file whose movie atom is gone: its top-level 'moov' becomes 'free'
data = bytearray(open(f"{d}/redblue.mov", "rb").read())
at, renamed = 0, False
while at + 8 <= len(data):
    size = int.from_bytes(data[at:at + 4], "big")
    if data[at + 4:at + 8] == b"moov":
        data[at + 4:at + 8] = b"free"
        renamed = True
    at += size if size >= 8 else len(data)
assert renamed
open(f"{d}/nomovie.mov", "wb").write(bytes(data))
PY
head -c $(($(stat -c %s "$dir/redblue.mov") / 2)) "$dir/redblue.mov" >"$dir/truncated.mov"
# As screen recorders write them: a fragment per frame (4,400 top-level
# atoms) after a movie atom without a length, silent and with sound; and a
# whole file with 64 zero bytes of reserved space after its last atom.
enc -f lavfi -i color=c=cyan:s=160x120:r=10:d=220 "${h264[@]}" -movflags frag_every_frame+empty_moov "$dir/frag.mp4"
enc -f lavfi -i color=c=cyan:s=160x120:r=25:d=2 -f lavfi -i sine=f=440:d=2 "${h264[@]}" -c:a aac -shortest \
  -movflags frag_keyframe+empty_moov "$dir/fragsound.mp4"
cp "$dir/phone.mp4" "$dir/padded.mp4"
head -c 64 /dev/zero >>"$dir/padded.mp4"
touch "$dir/.complete"
