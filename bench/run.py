"""Kelvarino against the mpv command-line player on the same generated clip, in
one run: first the first picture timed from outside (first_colour.py), then
one table: start-up milestones from the trace, CPU and peak memory while
playing, CPU idle and paused, the hand-off of a second start against a bare Qt process
start, and a dropped folder of 10,000 media files.

Run by hand through bench/run.sh (it provides the X session)."""

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

HERE = Path(__file__).resolve().parent
BUILD = Path(sys.argv[1] if len(sys.argv) > 1 else HERE.parent / "build").resolve()
ROUNDS = int(os.environ.get("KELVARINO_BENCH_ROUNDS", "9"))
PLAY_SECONDS = 10
TICKS = os.sysconf("SC_CLK_TCK")

work = Path(tempfile.mkdtemp(prefix="kelvarino-bench-"))
clip = work / "clip.mp4"
subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i",
                "testsrc2=size=640x360:rate=25:duration=20", "-c:v", "libx264",
                "-pix_fmt", "yuv420p", str(clip)], check=True)
MPV = ["mpv", "--no-config", "--vo=gpu", "--gpu-sw", "--ao=null", "--terminal=no",
       f"--script={HERE / 'mpv_first_frame.lua'}"]


def sandbox_env():
    """A fresh home: no settings, no file association, no earlier instance."""
    home = Path(tempfile.mkdtemp(dir=work))
    runtime = home / "runtime"
    runtime.mkdir(mode=0o700)
    return dict(os.environ, HOME=str(home), windir=str(home), XDG_RUNTIME_DIR=str(runtime),
                XDG_CONFIG_HOME=str(home / "config"), XDG_DATA_HOME=str(home / "data"),
                KELVARINO_TRACE="1", KELVARINO_MPV_AO="null")


def milestones(process, log, wanted, timeout=20):
    """ms since process start of each wanted milestone, read from the trace."""
    deadline = time.monotonic() + timeout
    found = {}
    while time.monotonic() < deadline and len(found) < len(wanted):
        for m, ms in re.findall(r"^kelvarino-trace (\S+) (\d+)", log.read_text(), re.M):
            if m in wanted:
                found.setdefault(m, int(ms))
        if process.poll() is not None:
            break
        time.sleep(0.01)
    return found


def start(command, env=None):
    log = work / f"log-{time.monotonic_ns()}"
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=open(log, "w"))
    return process, log


def startup_round(results, home):
    """An everyday start in `home`, a first start in a fresh one, and mpv."""
    for key, env in (("ours", home), ("first", sandbox_env())):
        ours, log = start([BUILD / "kelvarino", clip], env)
        got = milestones(ours, log, ("first-frame", "playback-restart"))
        end(ours)
        for m, ms in got.items():
            results.setdefault((key, m), []).append(ms)
    theirs, log = start(MPV + [str(clip)])
    got = milestones(theirs, log, ("playback-restart",))
    theirs.wait(20)
    for m, ms in got.items():
        results.setdefault(("mpv", m), []).append(ms)


def cpu_ticks(process):
    fields = Path(f"/proc/{process.pid}/stat").read_text().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def cpu_and_peak_memory(command, env=None, before_count=None):
    """% of one core over PLAY_SECONDS, and peak RSS in MB; `before_count`
    runs once the start-up is over (a pause, say)."""
    process, _ = start(command, env)
    time.sleep(2)  # past the start-up
    if before_count:
        before_count()
        time.sleep(0.5)
    before, t0 = cpu_ticks(process), time.monotonic()
    time.sleep(PLAY_SECONDS)
    used, elapsed = cpu_ticks(process) - before, time.monotonic() - t0
    peak = int(re.search(r"VmHWM:\s+(\d+)", Path(f"/proc/{process.pid}/status").read_text())[1])
    end(process)
    return 100.0 * used / TICKS / elapsed, peak / 1024


def pause_ours():
    subprocess.run(["playerctl", "-p", "kelvarino", "pause"], check=True)


def sub_bench(command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


results = {}
# The first start in a home registers the file association and writes the
# settings; the everyday start finds both, as after that warm-up start.
home = sandbox_env()
warm_up, warm_log = start([BUILD / "kelvarino", clip], home)
milestones(warm_up, warm_log, ("first-frame",))
end(warm_up)
for _ in range(ROUNDS):
    startup_round(results, home)
ours_cpu, ours_rss = cpu_and_peak_memory(
    [BUILD / "kelvarino", clip], sandbox_env())
mpv_cpu, mpv_rss = cpu_and_peak_memory(MPV + ["--script-opts=mpv_first_frame-stay=yes", str(clip)])
idle_cpu, _ = cpu_and_peak_memory([BUILD / "kelvarino"], sandbox_env())
paused_cpu, _ = cpu_and_peak_memory([BUILD / "kelvarino", clip], sandbox_env(), pause_ours)
mpv_paused_cpu, _ = cpu_and_peak_memory(MPV + ["--pause", "--script-opts=mpv_first_frame-stay=yes",
                                              str(clip)])
first_colour = sub_bench([sys.executable, HERE / "first_colour.py", BUILD, str(ROUNDS)])
handoff = sub_bench([sys.executable, HERE / "handoff.py", BUILD, "20"])
drop = sub_bench([BUILD / "bench_folder_drop", "10000", "20"])
shutil.rmtree(work, ignore_errors=True)


def median(key):
    values = results.get(key)
    return statistics.median(values) if values else float("nan")


def number(pattern, text):
    m = re.search(pattern, text)
    return float(m[1]) if m else float("nan")


first, restart, mpv_restart = (median(("ours", "first-frame")), median(("ours", "playback-restart")),
                               median(("mpv", "playback-restart")))
bare = number(r"bare Qt process start and exit\s+([\d.]+)", handoff)
delivered = number(r"second start until URL is set\s+([\d.]+)", handoff)
gone = number(r"second start until its process ends\s+([\d.]+)", handoff)
dropped = number(r"median ([\d.]+) ms", drop)

rows = [
    ("first frame, process start to picture (ms)", f"{first:.0f}", "-", "", ""),
    ("process start to playback-restart (ms)", f"{restart:.0f}", f"{mpv_restart:.0f}",
     f"{restart / mpv_restart:.2f}", "<= 1.05"),
    ("the same, first start in a fresh home (ms)", f"{median(('first', 'playback-restart')):.0f}",
     "", "", ""),
    (f"CPU over {PLAY_SECONDS} s of playback (% of a core)", f"{ours_cpu:.1f}", f"{mpv_cpu:.1f}",
     f"{ours_cpu / mpv_cpu:.2f}", "<= 1.1"),
    ("peak memory (MB)", f"{ours_rss:.0f}", f"{mpv_rss:.0f}", f"+{ours_rss - mpv_rss:.0f} MB",
     "<= +30 MB"),
    (f"CPU idle, nothing opened, over {PLAY_SECONDS} s (% of a core)", f"{idle_cpu:.2f}", "", "",
     "< 1"),
    (f"CPU paused over {PLAY_SECONDS} s (% of a core)", f"{paused_cpu:.2f}",
     f"{mpv_paused_cpu:.2f}", "", "< 1"),
    ("second start until URL set (ms)", f"{delivered:.1f}", f"bare Qt {bare:.1f}",
     f"{delivered / bare:.2f}", "<= 1.2"),
    ("second start until its process ends (ms)", f"{gone:.1f}", "", "", "<= 50"),
    ("10,000-file folder drop, list written and URL set (ms)", f"{dropped:.1f}", "", "", "<= 50"),
]
print(first_colour)
print(f"Kelvarino against mpv --vo=gpu --gpu-sw, 640x360 H.264, medians of {ROUNDS} "
      "interleaved rounds (hand-off and drop: 20)")
widths = [max(len(r[i]) for r in rows + [("measure", "ours", "other", "ratio", "target")])
          for i in range(5)]
for r in [("measure", "ours", "other", "ratio", "target")] + rows:
    print("  ".join(c.ljust(w) for c, w in zip(r, widths)))
