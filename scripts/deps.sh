#!/usr/bin/env bash
# Installs the Debian 12 packages Kelvarino needs to build, run and test.
# Idempotent and quiet: it only calls apt-get when something is missing.
set -euo pipefail

build_pkgs=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-private-dev
  libqt6opengl6-dev qt6-svg-dev libmpv-dev libgtest-dev libxcb1-dev libx11-dev libxss-dev
  libwayland-dev)
run_pkgs=(libqt6widgets6 libqt6openglwidgets6 libqt6dbus6 libmpv2 libgl1-mesa-dri qt6-wayland
  qt6-translations-l10n fonts-noto-cjk)
test_pkgs=(python3 xvfb xauth openbox x11-utils xdotool wmctrl imagemagick ffmpeg dbus-x11
  desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
  librsvg2-bin playerctl appstream clang libclang-rt-14-dev dpkg-dev file libglib2.0-bin
  sway grim wtype)

want=("${build_pkgs[@]}" "${run_pkgs[@]}")
[ "${1:-}" = "--with-tests" ] && want+=("${test_pkgs[@]}")

missing=()
for p in "${want[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
