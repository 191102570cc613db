#!/usr/bin/env bash
# Makes the sample game's videos: Theora pictures and a Vorbis sound track
# in Ogg. Bit-exact settings keep the files the same on every run with the
# same ffmpeg.
#
# Intro.ogv (the engine's test clip, looped under the final cut-scene's end
# texts): 2 s, 160 x 120, 12 pictures a second. The first second is deep
# blue, the second deep red; a yellow square (24 x 24, top-left corner at
# x = 8 + 60 t, y = 48) crosses the picture; the sound is a 440 Hz tone.
#
# Arrival.ogv (the intro cut-scene, the keeper arriving at the hall): 6 s,
# 160 x 90 (wide screen), 12 pictures a second. A night-blue picture with a
# dark hall front (a grey box 60 x 50 at x = 50, y = 30); a lantern-yellow
# square (12 x 12) walks from the left edge to the door (x = 4 + 12 t,
# y = 64); the sound is a low 220 Hz hum.
#
#   tools/make_video.sh [Intro output] [Arrival output]
#   (defaults Game/Data/Roliki/Intro.ogv and Game/Data/Roliki/Arrival.ogv)
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-Game/Data/Roliki/Intro.ogv}"
arrival="${2:-Game/Data/Roliki/Arrival.ogv}"
mkdir -p "$(dirname "$out")" "$(dirname "$arrival")"

exact=(-fflags +bitexact -flags:v +bitexact -flags:a +bitexact -map_metadata -1)

ffmpeg -v error -y \
  -f lavfi -i "color=c=0x2040A0:s=160x120:r=12:d=1" \
  -f lavfi -i "color=c=0xA03020:s=160x120:r=12:d=1" \
  -f lavfi -i "color=c=0xF0E040:s=24x24:r=12:d=2" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=2" \
  -filter_complex "[0:v][1:v]concat=n=2:v=1:a=0[bg];[bg][2:v]overlay=x='8+t*60':y=48:eval=frame[v]" \
  -map "[v]" -map 3:a \
  -c:v libtheora -q:v 10 -pix_fmt yuv420p \
  -c:a libvorbis -q:a 1 -ac 1 \
  "${exact[@]}" \
  "$out"

ffmpeg -v error -y \
  -f lavfi -i "color=c=0x101C40:s=160x90:r=12:d=6" \
  -f lavfi -i "color=c=0x484850:s=60x50:r=12:d=6" \
  -f lavfi -i "color=c=0xF0D060:s=12x12:r=12:d=6" \
  -f lavfi -i "sine=frequency=220:sample_rate=44100:duration=6" \
  -filter_complex "[0:v][1:v]overlay=x=50:y=30[hall];[hall][2:v]overlay=x='4+t*12':y=64:eval=frame[v]" \
  -map "[v]" -map 3:a \
  -c:v libtheora -q:v 10 -pix_fmt yuv420p \
  -c:a libvorbis -q:a 1 -ac 1 \
  "${exact[@]}" \
  "$arrival"
