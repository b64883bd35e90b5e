#!/usr/bin/env bash
# Installs what is missing, builds Kelvarino from nothing and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --with-tests
scripts/build.sh
cd build
ctest --output-on-failure -j2 --timeout 900
