#!/usr/bin/env bash
# Installs what is missing, builds Kelvarino and makes the Debian package
# build/kelvarino_<version>_<arch>.deb (install it with
# `sudo apt-get install ./build/kelvarino_*.deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --with-tests
scripts/build.sh
cd build
cpack -G DEB
