#!/usr/bin/env bash
# Configures and builds Kelvarino into build/ (the executable is build/kelvarino).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -- -j"${KELVARINO_JOBS:-$(nproc)}"
