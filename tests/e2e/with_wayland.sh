#!/usr/bin/env bash
# Runs a command in a private Wayland session without X: sway, headless,
# XWayland off, 1280x720, a private session bus, a keyboard (wtype) and a
# pointer that the compositor moves. sway refuses root: as root, it runs as
# nobody and the command as root.
set -uo pipefail
if [ -z "${KELVARINO_IN_SESSION:-}" ]; then
  export KELVARINO_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@" 2> >(grep --line-buffered -v 'Failed to set fd limit' >&2)
fi
unset DISPLAY QT_QPA_PLATFORM
XDG_RUNTIME_DIR=$(mktemp -d) && export XDG_RUNTIME_DIR && cd "$XDG_RUNTIME_DIR" || exit 1
trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$XDG_RUNTIME_DIR"' EXIT
user=()
[ "$(id -u)" -eq 0 ] && chown nobody: . && user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x720\nseat * hide_cursor 500\n' >sway.conf
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 HOME=$PWD \
  "${user[@]}" sway -c sway.conf >sway.log 2>&1 &
for _ in $(seq 100); do
  [ -S wayland-1 ] && SWAYSOCK=$(ls "$PWD"/sway-ipc.*.sock 2>/dev/null) && break
  sleep 0.05
done
[ -n "${SWAYSOCK:-}" ] || { echo "sway did not start:" >&2; cat sway.log >&2; exit 1; }
# By its full name: the players have runtime folders of their own.
export WAYLAND_DISPLAY=$PWD/wayland-1 SWAYSOCK
# Devices that live as long as the session: every client has them from its start.
wtype -s 86400000 x &
"$KELVARINO_VIRTUAL_POINTER" &
cd - >/dev/null && "$@"
