"""The seek bar timed from outside, against the mpv command-line player where it
has the same thing: a 1920x1080 H.264 clip, a keyframe every 2 s, whose middle
is one colour for each 10 s; the time from an input event sent through XTest
until the colour it brings covers its place on the X server's screen
(bench_screen_watch).

- arrow keys: Right and Left on a paused clip, ours and mpv's, round by round;
- the preview: the pointer coming to rest over the bar (the first picture of
  the first hover, made from nothing), then moving to other times;
- the handle dragged with the button held: each move to the main picture's
  new colour, before the button is let go;
- scrubbing the preview back and forth for 10 s while the clip plays: the
  main core's dropped frames, CPU against playback alone, memory.

Needs an X server started with -fbdir (bench/seek_bar.sh provides one):
  bench/seek_bar.sh [BUILD] [ROUNDS] [arrows,preview,drag,scrub]"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from processes import end

BUILD = Path(sys.argv[1]).resolve()
ROUNDS = int(sys.argv[2]) if len(sys.argv) > 2 else 7
SCREEN = Path(os.environ["KELVARINO_XVFB_FBDIR"]) / "Xvfb_screen0"
COLOURS = ["E63CAA", "3CE6C8", "E6C83C", "5A3CE6", "E6783C", "3C8CE6"]  # 0-10 s, 10-20 s, …
SEGMENT = 10
BAR = 65
TICKS = os.sysconf("SC_CLK_TCK")

work = Path(tempfile.mkdtemp(prefix="kelvarino-seek-bar-"))


def make_clip():
    """testsrc2 moving behind a box over the middle quarter of the picture whose
    colour tells the time; fixed 2 s keyframes (no extra ones at the cuts)."""
    clip = work / "colours-1080p.mp4"
    chain = "testsrc2=size=1920x1080:rate=25:duration=60"
    for i, colour in enumerate(COLOURS):
        chain += (f",drawbox=x=480:y=270:w=960:h=540:color=0x{colour}:t=fill"
                  f":enable='between(t,{i * SEGMENT},{i * SEGMENT + SEGMENT})'")
    # Tagged BT.709, as players take an untagged HD picture to be.
    chain += ",scale=out_color_matrix=bt709:out_range=tv,format=yuv420p"
    subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i", chain, "-c:v", "libx264",
                    "-preset", "veryfast", "-colorspace", "bt709", "-color_primaries", "bt709",
                    "-color_trc", "bt709", "-x264-params", "keyint=50:min-keyint=50:scenecut=0",
                    str(clip)], check=True)
    return clip


def shown_colours(clip):
    """What a player shows of each segment's colour after the trip through YUV."""
    shown = []
    for i in range(len(COLOURS)):
        out = subprocess.run(["ffmpeg", "-v", "error", "-ss", str(i * SEGMENT + 5), "-i", str(clip),
                              "-frames:v", "1", "-vf", "scale=in_color_matrix=bt709,crop=2:2:960:540",
                              "-f", "rawvideo",
                              "-pix_fmt", "rgb24", "-"], capture_output=True, check=True).stdout
        shown.append(out[:3].hex().upper())
    return shown


def home():
    h = Path(tempfile.mkdtemp(dir=work))
    (h / "runtime").mkdir(mode=0o700)
    (h / "windows").mkdir()
    # Half the picture's size, as mpv's window below; the window leaves room
    # for the bar.
    (h / "windows" / "Kelvarino.dat").write_bytes(b"[Option]\r\nzoom=50%\r\n")
    return dict(os.environ, HOME=str(h), windir=str(h / "windows"),
                XDG_RUNTIME_DIR=str(h / "runtime"), XDG_CONFIG_HOME=str(h / "config"),
                XDG_DATA_HOME=str(h / "data"), XDG_STATE_HOME=str(h / "state"),
                XDG_CACHE_HOME=str(work / "cache"), KELVARINO_MPV_AO="null", KELVARINO_TRACE="1")


def run(*args, check=True):
    return subprocess.run([str(a) for a in args], capture_output=True, text=True, check=check)


def wait_for(predicate, timeout=20, what="condition"):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise SystemExit(f"timed out waiting for {what}")


def window_of(process):
    """The process's top-level window: not one of its native children."""
    def parent(wid):
        m = re.search(r"Parent window id: (0x[0-9a-f]+)", run("xwininfo", "-tree", "-id", wid,
                                                              check=False).stdout)
        return int(m.group(1), 16) if m else None

    def found():
        ids = run("xdotool", "search", "--onlyvisible", "--pid", process.pid,
                  check=False).stdout.split()
        own = {int(w) for w in run("xdotool", "search", "--pid", process.pid,
                                   check=False).stdout.split()}
        return [w for w in ids if parent(w) not in own][:1]
    return wait_for(found, what="a window")[0]


def client(wid):
    out = run("xwininfo", "-id", wid).stdout
    field = lambda name: int(re.search(rf"{name}:\s+(-?\d+)", out).group(1))
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height"))


def settled_client(wid):
    """The client area once the window has been fitted to the picture."""
    sizes = [client(wid)]

    def same():
        time.sleep(0.3)
        sizes.append(client(wid))
        return sizes[-1] == sizes[-2] and sizes[-1][2] > 900 and sizes[-1]
    return wait_for(same, what="the window fitted")


def watch(colour, min_pixels, region, *trigger, timeout_ms=5000):
    """ms from the trigger (--key K, --pointer X,Y) until `colour` covers
    `min_pixels` of `region`; None when it did not."""
    out = run(BUILD / "bench_screen_watch", SCREEN, colour, min_pixels, timeout_ms, "--region",
              ",".join(str(n) for n in region), *trigger, check=False).stdout.split()
    return float(out[1]) if out[:1] == ["first-colour"] else None


def shows(colour, min_pixels, region, timeout_s=20):
    """Waits until the colour covers that much of the region; whether it did."""
    return watch(colour, min_pixels, region, "--", "sleep", timeout_s,
                 timeout_ms=timeout_s * 1000) is not None


def summary(values, base=None):
    if not values:
        return "-"
    m = statistics.median(values)
    ratio = f"  {m / base:5.2f}" if base else ""
    return f"{m:6.0f} {min(values):6.0f} {max(values):6.0f} {len(values):3}{ratio}"


def box_of(picture):
    """The middle quarter of a picture (x, y, w, h): where the colour is."""
    x, y, w, h = picture
    return (x + w // 4 + 4, y + h // 4 + 4, w // 2 - 8, h // 2 - 8)


# --- arrow keys ----------------------------------------------------------------

def arrow_round(command, env, picture_of, prepare, results):
    """Starts a player paused in the first segment; Right brings the second
    colour, Left the first again, twice each."""
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        wid = window_of(process)
        run("xdotool", "windowactivate", "--sync", wid, check=False)
        prepare()
        box = box_of(picture_of(settled_client(wid)))
        need = box[2] * box[3] * 6 // 10
        if not shows(SHOWN[0], need, box):
            raise SystemExit(f"the first colour never showed in {box}: {command[0]}")
        time.sleep(0.5)  # settled: nothing else on its way to the screen
        for key, colour in (("Right", SHOWN[1]), ("Left", SHOWN[0])) * 2:
            ms = watch(colour, need, box, "--key", key)
            if ms is not None:
                results.append(ms)
            time.sleep(0.3)
    finally:
        end(process)


def arrow_keys():
    ours_env, mpv_env = home(), home()
    ours = [BUILD / "kelvarino", CLIP]
    mpv = ["mpv", "--no-config", "--vo=gpu", "--gpu-sw", "--ao=null", "--terminal=no",
           "--pause", "--start=7.3", "--autofit=960x540", "--geometry=+480+200", str(CLIP)]

    def pause_ours_at_7_3():
        wait_for(lambda: run("playerctl", "-p", "kelvarino", "status",
                             check=False).stdout.strip() == "Playing", what="playing")
        run("playerctl", "-p", "kelvarino", "pause")
        run("playerctl", "-p", "kelvarino", "position", "7.3")

    times = {"kelvarino": [], "mpv": []}
    for _ in range(ROUNDS):
        arrow_round(ours, ours_env, lambda c: (c[0], c[1], c[2], c[3] - BAR), pause_ours_at_7_3,
                    times["kelvarino"])
        arrow_round(mpv, mpv_env, lambda c: c, lambda: None, times["mpv"])
    base = statistics.median(times["mpv"]) if times["mpv"] else None
    print(f"Arrow key to the new picture, ms ({ROUNDS} rounds of Right, Left, Right, Left; "
          "1080p at 960x540, paused)")
    print(f"{'player':12} {'median':>6} {'min':>6} {'max':>6} {'n':>3} {'vs mpv':>6}")
    for name, values in times.items():
        print(f"{name:12} {summary(values, base)}")


# --- the preview -----------------------------------------------------------------

def start_ours(paused_at=None, playing=False):
    """Our player on CLIP, paused at `paused_at` or left playing; the process,
    its client area and the picture's part of it."""
    env = home()
    process = subprocess.Popen([BUILD / "kelvarino", CLIP], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, text=True)
    wid = window_of(process)
    run("xdotool", "windowactivate", "--sync", wid, check=False)
    wait_for(lambda: run("playerctl", "-p", "kelvarino", "status",
                         check=False).stdout.strip() == "Playing", what="playing")
    if not playing:
        run("playerctl", "-p", "kelvarino", "pause")
        run("playerctl", "-p", "kelvarino", "position", str(paused_at))
    c = settled_client(wid)
    return process, c


def bar_point(c, seconds, duration=60):
    """Where on the screen the seek bar stands for `seconds`: the slider
    within 10 px margins, 14 px below the bar's top, its 12 px handle's
    centre going from end to end."""
    x, y, w, h = c
    return x + 16 + round(seconds / duration * (w - 32)), y + h - BAR + 14


def above_bar(c):
    x, y, w, h = c
    return (x, y + h - BAR - 260, w, 255)


# The box in the middle quarter of a 320x180 preview: 160x90, less the edges.
PREVIEW_BOX = 160 * 90 // 2


def preview_round(first, later):
    """A fresh player paused in the first segment: the first hover (the core
    made from nothing), then hovers at other segments' times."""
    process, c = start_ours(paused_at=5)
    try:
        time.sleep(0.5)
        run("xdotool", "mousemove", c[0] + c[2] // 2, c[1] + 50)
        time.sleep(0.3)
        ms = watch(SHOWN[3], PREVIEW_BOX, above_bar(c), "--pointer",
                   "{},{}".format(*bar_point(c, 35)))
        if ms is not None:
            first.append(ms)
        for at, colour in ((15, SHOWN[1]), (45, SHOWN[4]), (25, SHOWN[2]), (55, SHOWN[5])):
            time.sleep(0.4)
            ms = watch(colour, PREVIEW_BOX, above_bar(c), "--pointer",
                       "{},{}".format(*bar_point(c, at)))
            if ms is not None:
                later.append(ms)
    finally:
        end(process)


def preview():
    first, later = [], []
    for _ in range(ROUNDS):
        preview_round(first, later)
    print(f"\nPreview: pointer onto the bar to its picture above it, ms ({ROUNDS} rounds; "
          "1080p H.264, 2 s keyframes)")
    print(f"{'hover':12} {'median':>6} {'min':>6} {'max':>6} {'n':>3}")
    print(f"{'first':12} {summary(first)}")
    print(f"{'later':12} {summary(later)}")


# --- the main picture following a dragged handle ------------------------------------

def drag_round(results):
    """A fresh player paused at 5 s; the handle taken with the button held and
    moved from segment to segment, each move timed to its colour in the
    main picture, before the button is let go."""
    process, c = start_ours(paused_at=5)
    try:
        box = box_of((c[0], c[1], c[2], c[3] - BAR))
        need = box[2] * box[3] * 6 // 10
        wait_for(lambda: shows(SHOWN[0], need, box), what="the first colour")
        run("xdotool", "mousemove", *bar_point(c, 5))
        time.sleep(0.3)
        run("xdotool", "mousedown", "1")
        time.sleep(0.3)
        for at, colour in ((15, SHOWN[1]), (45, SHOWN[4]), (25, SHOWN[2]), (55, SHOWN[5]),
                           (35, SHOWN[3])):
            ms = watch(colour, need, box, "--pointer", "{},{}".format(*bar_point(c, at)))
            if ms is not None:
                results.append(ms)
        run("xdotool", "mouseup", "1")
    finally:
        end(process)


def dragging():
    results = []
    for _ in range(ROUNDS):
        drag_round(results)
    print(f"\nDragged handle: a move to the main picture's new colour, ms ({ROUNDS} rounds; "
          "1080p H.264, 2 s keyframes)")
    print(f"{'':12} {'median':>6} {'min':>6} {'max':>6} {'n':>3}")
    print(f"{'drag step':12} {summary(results)}")


# --- playback while the preview scrubs -----------------------------------------------

def cpu_ticks(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def resident_mb(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0


def drops(stderr_lines):
    counts = [int(l.split()[-1]) for l in stderr_lines
              if l.startswith("kelvarino-trace frame-drops")]
    return counts[-1] if counts else 0


def scrub_round():
    """One player playing from 10 s in, timed in turns of 5 s: the pointer
    resting on the picture, then sweeping the bar back and forth, three times
    each. Turns in one process leave out what differs between processes
    (where the window lands, what the machine does meanwhile), which on a
    shared machine moves a figure more than the sweeping does. Returns the CPU
    seconds of each kind of turn, the frames dropped while sweeping, and the
    RSS in MB before and after."""
    process, c = start_ours(playing=True)
    lines = []
    import threading
    reader = threading.Thread(target=lambda: lines.extend(process.stderr), daemon=True)
    reader.start()
    try:
        run("playerctl", "-p", "kelvarino", "position", "10")
        time.sleep(1.5)
        rss_before, drops_before = resident_mb(process.pid), drops(lines)
        cpu = {False: 0.0, True: 0.0}
        step = 0
        for scrub in (False, True) * 3:
            if not scrub:
                run("xdotool", "mousemove", c[0] + c[2] // 2, c[1] + 50)
            time.sleep(0.3)
            ticks, t0 = cpu_ticks(process.pid), time.monotonic()
            while time.monotonic() - t0 < 5:
                if scrub:
                    at = (step * 1.7) % 58 if (step // 20) % 2 == 0 else 58 - (step * 1.7) % 58
                    run("xdotool", "mousemove", *bar_point(c, at))
                    step += 1
                time.sleep(0.05)
            cpu[scrub] += (cpu_ticks(process.pid) - ticks) / TICKS
        time.sleep(0.3)
        return cpu[False], cpu[True], drops(lines) - drops_before, rss_before, resident_mb(process.pid)
    finally:
        end(process)
        reader.join(2)


def scrubbing():
    rounds = [scrub_round() for _ in range(max(3, ROUNDS // 2))]
    ratios = [r[1] / r[0] for r in rounds]
    print("\nPlayback (1080p H.264, software decoding in this X server): CPU s in 15 s of the "
          "pointer resting, and in 15 s of it sweeping the bar, turn about in one player")
    print(f"{'round':6} {'resting':>8} {'sweeping':>9} {'ratio':>6} {'drops':>6} {'RSS MB':>8}")
    for i, (rest, sweep, dropped, before, after) in enumerate(rounds):
        print(f"{i + 1:<6} {rest:8.2f} {sweep:9.2f} {sweep / rest:6.2f} {dropped:6} "
              f"{after - before:+8.1f}")
    print(f"median ratio {statistics.median(ratios):.2f} (min {min(ratios):.2f}, "
          f"max {max(ratios):.2f})")


CLIP = Path(os.environ["SEEK_CLIP"]) if "SEEK_CLIP" in os.environ else make_clip()
SHOWN = shown_colours(CLIP)
PARTS = {"arrows": arrow_keys, "preview": preview, "drag": dragging, "scrub": scrubbing}
try:
    for part in (sys.argv[3].split(",") if len(sys.argv) > 3 else PARTS):
        PARTS[part]()
finally:
    shutil.rmtree(work, ignore_errors=True)
