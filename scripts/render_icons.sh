#!/usr/bin/env bash
# Renders resources/icons/kelvarino.svg into the hicolor PNGs beside it (needs
# rsvg-convert from librsvg2-bin). With --check it only tells whether the
# committed PNGs still show the SVG.
set -euo pipefail
icons="$(cd "$(dirname "$0")/../resources/icons" && pwd)"
sizes=(16 24 32 48 128 256)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

stale=0
for n in "${sizes[@]}"; do
  target="$icons/hicolor/${n}x${n}/apps/kelvarino.png"
  rsvg-convert -w "$n" -h "$n" "$icons/kelvarino.svg" -o "$tmp/$n.png"
  if [ "${1:-}" = "--check" ]; then
    # Pixels, not bytes: PNG encoders differ in what they write around them.
    differing=$(compare -metric AE "$tmp/$n.png" "$target" null: 2>&1 || true)
    if [ "$differing" != "0" ]; then
      echo "$target differs from the SVG in $differing pixels" >&2
      stale=1
    fi
  else
    mkdir -p "$(dirname "$target")"
    mv "$tmp/$n.png" "$target"
  fi
done
exit "$stale"
