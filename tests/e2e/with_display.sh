#!/usr/bin/env bash
# Runs a command in a private X server (1920x1080, 24 bits) with openbox as the
# window manager and a private session bus, then tears all three down.
set -uo pipefail

if [ -z "${KELVARINO_IN_SESSION:-}" ]; then
  export KELVARINO_IN_SESSION=1
  # As root the bus daemon cannot raise its file limit and says so; that is
  # no failure of the session.
  exec dbus-run-session -- "$0" "$@" 2> >(grep --line-buffered -v 'Failed to set fd limit' >&2)
fi

tmp=$(mktemp -d)
trap 'kill "$wm" "$xvfb" 2>/dev/null; wait "$wm" "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT

# A benchmark may ask for the screen as a file it can map (KELVARINO_XVFB_FBDIR).
fbdir=()
[ -n "${KELVARINO_XVFB_FBDIR:-}" ] && fbdir=(-fbdir "$KELVARINO_XVFB_FBDIR")
# -noreset: a server that resets when its last client leaves (a probe below)
# can refuse the window manager that is connecting at that moment.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset "${fbdir[@]}" \
  3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 400); do [ -s "$tmp/display" ] && break; sleep 0.05; done
if [ ! -s "$tmp/display" ]; then
  echo "Xvfb did not start:" >&2; cat "$tmp/xvfb.log" >&2; exit 1
fi
export DISPLAY=":$(tr -d '\n' <"$tmp/display")"
unset WAYLAND_DISPLAY

# Without a window manager, closing, maximising and full screen silently do
# nothing and scenarios fail far from the cause: one that could not open the
# display is started again, and none after 20 s ends the session here.
start_wm() {
  openbox --sm-disable >>"$tmp/openbox.log" 2>&1 &
  wm=$!
}
start_wm
for _ in $(seq 400); do
  wmctrl -m >/dev/null 2>&1 && break
  kill -0 "$wm" 2>/dev/null || start_wm
  sleep 0.05
done
if ! wmctrl -m >/dev/null 2>&1; then
  echo "openbox did not start:" >&2; cat "$tmp/openbox.log" >&2; exit 1
fi

"$@"
