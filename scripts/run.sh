#!/usr/bin/env bash
# Installs what is missing, builds Kelvarino and plays FILE, or a generated demo
# clip. Without a display it plays for a few seconds under Xvfb with openbox
# and writes the screenshot build/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --with-tests
scripts/build.sh
clip=${1:-build/demo/demo.mp4}
[ $# -ge 1 ] || scripts/demo_clip.sh "$clip"
clip=$(realpath "$clip")

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/kelvarino "$clip"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share XDG_RUNTIME_DIR=$home/runtime \
  tests/e2e/with_display.sh bash -c '
    build/kelvarino "$1" & player=$!
    sleep "${KELVARINO_DEMO_SECONDS:-5}"
    import -window root build/demo.png
    for w in $(xdotool search --pid $player 2>/dev/null); do wmctrl -ic "$w" 2>/dev/null || true; done
    for _ in $(seq 50); do kill -0 $player 2>/dev/null || break; sleep 0.1; done
    kill $player 2>/dev/null || true
    wait $player 2>/dev/null || true' _ "$clip"
echo "Screenshot: build/demo.png"
