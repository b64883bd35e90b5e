#!/usr/bin/env bash
# Prints one table of Kelvarino's speed against the mpv command-line player on
# the same machine and clip. Run by hand: bench/run.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/deps.sh --with-tests
command -v mpv >/dev/null || { [ "$(id -u)" -eq 0 ] && apt-get install -y -qq mpv >/dev/null || sudo apt-get install -y -qq mpv >/dev/null; }
cmake --build "$build" --target kelvarino kelvarino_adapters bench_bare_qt bench_folder_drop bench_screen_watch | grep -v "^\[" || true
# The X server keeps its screen in a file there, for the outside-in timing.
KELVARINO_XVFB_FBDIR=$(mktemp -d)
export KELVARINO_XVFB_FBDIR
trap 'rm -rf "$KELVARINO_XVFB_FBDIR"' EXIT
tests/e2e/with_display.sh python3 bench/run.py "$build"
