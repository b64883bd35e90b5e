#!/usr/bin/env bash
# A dropped folder of 10,000 media files: play list written and URL set.
# Usage: bench/folder_drop.sh [build folder] [files] [rounds]
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target bench_folder_drop | grep -v "^\[" || true
"$build/bench_folder_drop" "${2:-10000}" "${3:-20}"
