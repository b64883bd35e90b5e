"""First picture on screen, timed from outside for every player alike: a
640x360 H.264 clip of one solid colour, and the time from spawning the player
until that colour covers the picture on the X server's screen
(bench_screen_watch). Players take turns round by round; prints medians,
min, max and the ratio to mpv.

Needs an X server started with -fbdir (bench/run.sh provides one):
  python3 bench/first_colour.py BUILD [ROUNDS]
KELVARINO_BENCH_BASELINE=/path/to/another/kelvarino adds that build's rows."""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

BUILD = Path(sys.argv[1]).resolve()
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 7
SCREEN = Path(os.environ["KELVARINO_XVFB_FBDIR"]) / "Xvfb_screen0"
COLOUR = "E63CAA"  # far from any window decoration or desktop colour
# The colour must cover most of the clip's 640x360 picture.
MIN_PIXELS = int(0.6 * 640 * 360)
TIMEOUT_MS = 15000

work = Path(tempfile.mkdtemp(prefix="kelvarino-first-colour-"))
clip = work / "solid.mp4"
subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i",
                f"color=c=0x{COLOUR}:size=640x360:rate=25:duration=30", "-c:v", "libx264",
                "-pix_fmt", "yuv420p", str(clip)], check=True)
# What a player shows after the trip through YUV, not the colour asked for.
shown = subprocess.run(["ffmpeg", "-v", "error", "-i", str(clip), "-frames:v", "1", "-vf",
                        "crop=2:2:320:180", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"],
                       capture_output=True, check=True).stdout[:3].hex().upper()


def home(cache=None):
    """A home of its own, with the runtime folder a session would give. The
    cache folder holds the GL driver's compiled shaders, which any program
    that ran on the machine before has filled; `cache` None gives a cold one."""
    h = Path(tempfile.mkdtemp(dir=work))
    (h / "runtime").mkdir(mode=0o700)
    return dict(os.environ, HOME=str(h), windir=str(h), XDG_RUNTIME_DIR=str(h / "runtime"),
                XDG_CONFIG_HOME=str(h / "config"), XDG_DATA_HOME=str(h / "data"),
                XDG_STATE_HOME=str(h / "state"), XDG_CACHE_HOME=str(cache or h / "cache"),
                KELVARINO_MPV_AO="null")


def first_colour(command, env):
    out = subprocess.run([BUILD / "bench_screen_watch", SCREEN, shown, str(MIN_PIXELS),
                          str(TIMEOUT_MS), "--"] + command, env=env, capture_output=True,
                         text=True).stdout.split()
    time.sleep(0.4)  # the window is gone from the screen before the next one
    return float(out[1]) if out[:1] == ["first-colour"] else None


shared_cache = work / "cache"
warm = home(shared_cache)
MPV = ["mpv", "--no-config", "--vo=gpu", "--gpu-sw", "--ao=null", "--terminal=no"]
players = {
    "kelvarino": lambda: ([str(BUILD / "kelvarino"), str(clip)], warm),
    "kelvarino, fresh home": lambda: ([str(BUILD / "kelvarino"), str(clip)], home(shared_cache)),
    "mpv": lambda: (MPV + [str(clip)], warm),
    # A first start on a machine where no GL program ever ran: both pay for it.
    "kelvarino, cold GL cache": lambda: ([str(BUILD / "kelvarino"), str(clip)], home()),
    "mpv, cold GL cache": lambda: (MPV + [str(clip)], home()),
}
# Another build of ours, for a before-and-after in the same run.
baseline = os.environ.get("KELVARINO_BENCH_BASELINE")
if baseline:
    base_warm = home(shared_cache)
    players["baseline"] = lambda: ([baseline, str(clip)], base_warm)
    players["baseline, fresh home"] = lambda: ([baseline, str(clip)], home(shared_cache))
# Peers are measured when installed; nothing is installed for them.
peers = {"vlc": ["vlc", "--no-audio", "--no-video-title-show"], "celluloid": ["celluloid"],
         "smplayer": ["smplayer"], "haruna": ["haruna"]}
for name, command in peers.items():
    if shutil.which(command[0]):
        players[name] = lambda command=command: (command + [str(clip)], warm)

for name, make in players.items():  # each runs once before the count
    first_colour(*make())
times = {name: [] for name in players}
for _ in range(ROUNDS):
    for name, make in players.items():
        ms = first_colour(*make())
        if ms is not None:
            times[name].append(ms)
shutil.rmtree(work, ignore_errors=True)

base = statistics.median(times["mpv"]) if times["mpv"] else float("nan")
print(f"First picture on screen, ms from spawn, {ROUNDS} interleaved rounds "
      f"(640x360 H.264, one colour, software OpenGL)")
print(f"{'player':24} {'median':>7} {'min':>6} {'max':>6} {'n':>3} {'vs mpv':>7}")
for name, values in times.items():
    if not values:
        print(f"{name:24} {'-':>7}")
        continue
    m = statistics.median(values)
    print(f"{name:24} {m:7.0f} {min(values):6.0f} {max(values):6.0f} {len(values):3} "
          f"{m / base:7.2f}")
