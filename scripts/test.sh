#!/usr/bin/env bash
# Installs what is missing, builds Kelvarino from nothing and runs every test;
# then the tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), and a short run of each fuzz harness (build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${KELVARINO_JOBS:-$(nproc)}"
scripts/deps.sh --with-tests
scripts/build.sh
(cd build && ctest --output-on-failure -j2 --timeout 900)

cmake --preset asan >/dev/null
cmake --build --preset asan -- -j"$jobs"
ctest --preset asan -j2

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -- -j"$jobs"
ctest --preset fuzz -j2
