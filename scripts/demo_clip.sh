#!/usr/bin/env bash
# Writes a 30 s demo clip (moving test picture, a tone, tags) to the given path
# unless it is there already.
set -euo pipefail
out=$1
[ -s "$out" ] && exit 0
mkdir -p "$(dirname "$out")"
tmp="$out.part.mp4"
ffmpeg -loglevel error -y -f lavfi -i "testsrc2=size=640x360:rate=30:duration=30" \
  -f lavfi -i "sine=frequency=440:duration=30" -c:v libx264 -preset veryfast -pix_fmt yuv420p \
  -c:a aac -metadata title="Kelvarino demo" -metadata artist="Kelvarino" -shortest "$tmp"
mv "$tmp" "$out"
