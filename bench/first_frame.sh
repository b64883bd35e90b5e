#!/usr/bin/env bash
# Start-up and playback cost of the engine's player control against mpv on the
# same clip: 9 interleaved rounds of ms from process start to each milestone,
# then CPU and peak memory over 10 s of playback. Run by hand:
#   bench/first_frame.sh [build folder]
# Needs the mpv program (Debian package mpv) besides the test packages.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/../tests/e2e/with_display.sh" "$0" "$@"
fi
build=$(cd "${1:-$here/../build}" && pwd)
ours="$build/bench_engine_first_frame"
[ -x "$ours" ] || { echo "build the target bench_engine_first_frame first" >&2; exit 1; }
command -v mpv >/dev/null || { echo "the mpv program is missing (apt-get install mpv)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
clip="$tmp/clip.mp4"
ffmpeg -v error -f lavfi -i testsrc2=size=640x360:rate=25:duration=14 \
  -c:v libx264 -pix_fmt yuv420p "$clip"

export KELVARINO_MPV_AO=null
mpv_args=(--no-config --vo=gpu --gpu-sw --ao=null --terminal=no --script="$here/mpv_first_frame.lua")

run_ours() { KELVARINO_TRACE=1 "$ours" "$clip" 2>&1 >/dev/null | grep '^kelvarino-trace' || true; }
run_mpv() { mpv "${mpv_args[@]}" "$clip" 2>&1 >/dev/null | grep '^kelvarino-trace' || true; }

for round in 1 2 3 4 5 6 7 8 9; do
  run_ours | sed 's/^/ours /' >>"$tmp/times"
  run_mpv | sed 's/^/mpv /' >>"$tmp/times"
done

median() { # who milestone
  awk -v who="$1" -v m="$2" '$1 == who && $3 == m { print $4 }' "$tmp/times" | sort -n |
    awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)]; else print "-" }'
}

echo "Medians of 9 rounds, ms from process start (640 x 360 H.264, ao=null):"
printf '%-34s %14s %12s %12s %18s\n' "" window-shown file-loaded first-frame playback-restart
printf '%-34s %14s %12s %12s %18s\n' "EngineMpv in a window" "$(median ours window-shown)" \
  "$(median ours file-loaded)" "$(median ours first-frame)" "$(median ours playback-restart)"
printf '%-34s %14s %12s %12s %18s\n' "mpv --vo=gpu --gpu-sw" - "$(median mpv file-loaded)" - \
  "$(median mpv playback-restart)"
awk -v a="$(median ours playback-restart)" -v b="$(median mpv playback-restart)" \
  'BEGIN { if (b > 0) printf "playback-restart, ours / mpv: %.2f\n", a / b }'

# CPU over 10 s of steady playback (from 1.5 s after the start), and the peak
# resident memory of the whole run.
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
measure() { # label command...
  local label=$1; shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep 1.5
  local before; before=$(cpu_ticks "$pid")
  sleep 10
  local after; after=$(cpu_ticks "$pid")
  local peak; peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v l="$label" -v t=$((after - before)) -v hz="$ticks" -v kb="$peak" \
    'BEGIN { printf "%-34s CPU %5.1f %% of a core, peak RSS %4.0f MB\n", l, 100 * t / (10 * hz), kb / 1024 }'
}
echo "Playback, 10 s:"
measure "EngineMpv in a window" "$ours" "$clip" 13
measure "mpv --vo=gpu --gpu-sw" mpv "${mpv_args[@]}" --script-opts=mpv_first_frame-stay=yes "$clip"
