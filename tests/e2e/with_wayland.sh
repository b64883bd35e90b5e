#!/usr/bin/env bash
# Runs a command in a private Wayland session without any X server: sway,
# headless, XWayland off, 1280x720, with a private session bus and a virtual
# keyboard and pointer; then tears it all down. sway refuses to run as root:
# started as root, the compositor runs as nobody (the command still as root).
set -uo pipefail

if [ -z "${KELVARINO_IN_SESSION:-}" ]; then
  export KELVARINO_IN_SESSION=1
  exec dbus-run-session -- "$0" "$@" 2> >(grep --line-buffered -v 'Failed to set fd limit' >&2)
fi

unset DISPLAY QT_QPA_PLATFORM
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown nobody:nogroup "$XDG_RUNTIME_DIR"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
helpers=()
trap 'kill "${helpers[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x720\n' >"$XDG_RUNTIME_DIR/sway.conf"
WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 HOME=$XDG_RUNTIME_DIR \
  "${as_user[@]}" sway -c "$XDG_RUNTIME_DIR/sway.conf" >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
helpers+=($!)
for _ in $(seq 100); do
  socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'wayland-*' -print -quit)
  SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'sway-ipc.*' -print -quit)
  [ -n "$socket" ] && [ -n "$SWAYSOCK" ] && break
  sleep 0.05
done
if [ -z "$socket" ] || [ -z "$SWAYSOCK" ]; then
  echo "sway did not start:" >&2; cat "$XDG_RUNTIME_DIR/sway.log" >&2; exit 1
fi
# An absolute name: the players get runtime folders of their own.
export WAYLAND_DISPLAY=$socket SWAYSOCK

# The seat has no devices. The keyboard lives as long as the session, so that
# every client has one before the first key comes.
wtype -s 86400000 x &
helpers+=($!)
"$KELVARINO_VIRTUAL_POINTER" &
helpers+=($!)

"$@"
