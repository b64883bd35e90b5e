#!/usr/bin/env bash
# Memory of Kelvarino and the mpv command-line player playing the same clip
# on repeat, side by side. Usage:
#   bench/memory_over_time.sh [build folder] [--minutes 2] [--breakdown]
# Needs the mpv program (Debian package mpv) besides the test packages.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
command -v mpv >/dev/null || { echo "the mpv program is missing: apt-get install mpv" >&2; exit 1; }
cmake --build "$build" --target kelvarino kelvarino_adapters | grep -v "^\[" || true
exec tests/e2e/with_display.sh python3 bench/memory_over_time.py "$build" "$@"
