#!/usr/bin/env bash
# Makes the sample game's one video: 2 s, 160 x 120, 12 pictures a second,
# Theora pictures and a Vorbis sound track in Ogg.
#
# The first second is deep blue, the second deep red; a yellow square
# (24 x 24, top-left corner at x = 8 + 60 t, y = 48) crosses the picture;
# the sound is a 440 Hz tone. Bit-exact settings keep the file the same on
# every run with the same ffmpeg.
#
#   tools/make_video.sh [output file]   (default Game/Data/Roliki/Intro.ogv)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-Game/Data/Roliki/Intro.ogv}"
mkdir -p "$(dirname "$out")"

ffmpeg -v error -y \
  -f lavfi -i "color=c=0x2040A0:s=160x120:r=12:d=1" \
  -f lavfi -i "color=c=0xA03020:s=160x120:r=12:d=1" \
  -f lavfi -i "color=c=0xF0E040:s=24x24:r=12:d=2" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0[bg];[bg][2:v]overlay=x='8+t*60':y=48:eval=frame[v]" \
  -map "[v]" -map 3:a \
  -c:v libtheora -q:v 10 -pix_fmt yuv420p \
  -c:a libvorbis -q:a 1 -ac 1 \
  -fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1 \
  "$out"
