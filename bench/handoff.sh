#!/usr/bin/env bash
# A second start handing over to a running first instance, against a bare Qt
# process start. Usage: bench/handoff.sh [build folder] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target kelvarino kelvarino_adapters bench_bare_qt | grep -v "^\[" || true
exec tests/e2e/with_display.sh python3 bench/handoff.py "$build" "${2:-20}"
