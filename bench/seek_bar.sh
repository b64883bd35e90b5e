#!/usr/bin/env bash
# The seek bar timed from outside against mpv (bench/seek_bar.py): arrow keys,
# the hover preview, playback while the preview scrubs.
#   bench/seek_bar.sh [build folder] [rounds] [arrows,preview,drag,scrub]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v mpv >/dev/null || { echo "needs the mpv command-line player (apt-get install mpv)"; exit 1; }
cmake --build "$build" --target kelvarino kelvarino_adapters bench_screen_watch | grep -v "^\[" || true
KELVARINO_XVFB_FBDIR=$(mktemp -d)
export KELVARINO_XVFB_FBDIR
trap 'rm -rf "$KELVARINO_XVFB_FBDIR"' EXIT
tests/e2e/with_display.sh python3 bench/seek_bar.py "$build" "${@:2}"
