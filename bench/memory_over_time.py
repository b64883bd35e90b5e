"""Memory over time: Kelvarino and the mpv command-line player play the same
10 s clip over and over, side by side on one X server, and RSS and PSS of both
are read from /proc every INTERVAL seconds. Prints a table of start, 1, 5 and
10 minutes, the end and the peak for both and their difference; with
--breakdown, where the memory of both lies at the end, grouped by mapping.

Kelvarino repeats through its settings file (重复播放, mReplay=True), mpv with
--loop-file=inf; both draw with software OpenGL and have no sound output.

Needs an X server (bench/memory_over_time.sh provides one):
  python3 bench/memory_over_time.py BUILD [--minutes 10] [--interval 10] [--breakdown]
KELVARINO_BENCH_BASELINE=/path/to/another/kelvarino adds that build as a third player."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from collections import defaultdict
from pathlib import Path

from processes import end

parser = argparse.ArgumentParser()
parser.add_argument("build", type=Path)
parser.add_argument("--minutes", type=float, default=10)
parser.add_argument("--interval", type=float, default=10)
parser.add_argument("--breakdown", action="store_true",
                    help="where the memory lies at the end, grouped by mapping")
args = parser.parse_args()

work = Path(tempfile.mkdtemp(prefix="kelvarino-memory-"))
clip = work / "clip.mp4"
subprocess.run(["ffmpeg", "-v", "error", "-f", "lavfi", "-i",
                "testsrc2=size=640x360:rate=25:duration=10", "-c:v", "libx264",
                "-pix_fmt", "yuv420p", str(clip)], check=True)


def home():
    """A home of its own whose settings turn 重复播放 on."""
    h = Path(tempfile.mkdtemp(dir=work))
    (h / "runtime").mkdir(mode=0o700)
    (h / "Kelvarino.dat").write_bytes(b"[Option]\r\nmReplay=True\r\n")
    return dict(os.environ, HOME=str(h), windir=str(h), XDG_RUNTIME_DIR=str(h / "runtime"),
                XDG_CONFIG_HOME=str(h / "config"), XDG_DATA_HOME=str(h / "data"),
                XDG_STATE_HOME=str(h / "state"), XDG_CACHE_HOME=str(h / "cache"),
                KELVARINO_MPV_AO="null")


players = {
    "kelvarino": [str(args.build.resolve() / "kelvarino"), str(clip)],
    "mpv": ["mpv", "--no-config", "--vo=gpu", "--gpu-sw", "--ao=null", "--terminal=no",
            "--loop-file=inf", str(clip)],
}
baseline = os.environ.get("KELVARINO_BENCH_BASELINE")
if baseline:
    players["baseline"] = [baseline, str(clip)]


def kib(text, field):
    return sum(int(v) for v in re.findall(rf"^{field}:\s+(\d+) kB", text, re.M))


def sample(pid):
    """(RSS, PSS, peak RSS) in MB."""
    rollup = Path(f"/proc/{pid}/smaps_rollup").read_text()
    status = Path(f"/proc/{pid}/status").read_text()
    return kib(rollup, "Rss") / 1024, kib(rollup, "Pss") / 1024, kib(status, "VmHWM") / 1024


GROUPS = [  # the first that matches names the group
    ("heap", r"^\[heap\]$"),
    ("stacks", r"^\[stack"),
    ("GL: LLVM", r"libLLVM"),
    ("GL: Mesa driver", r"/dri/|libgallium|_dri\.so"),
    ("GL: other (libGL, GLX, EGL, glapi, drm)", r"lib(GL|OpenGL|EGL|glapi|drm|gbm|vulkan)"),
    ("GL: shader cache", r"mesa_shader_cache"),
    ("Qt", r"libQt6|/qt6/plugins/"),
    ("Kelvarino", r"libkelvarino|/kelvarino$"),
    ("mpv and FFmpeg", r"libmpv|libav|libsw|libpostproc|/mpv$"),
    ("fonts and their cache", r"\.(ttf|ttc|otf|pfb)$|fontconfig"),
    ("translations and locale", r"\.qm$|locale"),
    ("X shared memory", r"^/SYSV|/dev/shm|^/memfd:"),
    ("libc, libstdc++", r"/lib(c|m|stdc\+\+|gcc_s|pthread)[.-]"),
    ("other shared libraries", r"\.so[.\d]*$"),
    ("other files", r"^/"),
    ("anonymous", r""),
]


def mappings(pid):
    """[(name, rss_kib, pss_kib)] for every mapping; anonymous ones unnamed."""
    rows, name = [], None
    for line in Path(f"/proc/{pid}/smaps").read_text().splitlines():
        head = re.match(r"^[0-9a-f]+-[0-9a-f]+ \S+ \S+ \S+ \S+\s*(.*)$", line)
        if head:
            name = head[1]
            rows.append([name, 0, 0])
        elif line.startswith("Rss:"):
            rows[-1][1] = int(line.split()[1])
        elif line.startswith("Pss:"):
            rows[-1][2] = int(line.split()[1])
    return rows


def group_of(name):
    for group, pattern in GROUPS:
        if re.search(pattern, name):
            return group
    return "anonymous"


def breakdown(pids):
    by_group = {who: defaultdict(lambda: [0, 0]) for who in pids}
    by_file = {who: defaultdict(lambda: [0, 0]) for who in pids}
    for who, pid in pids.items():
        for name, rss, pss in mappings(pid):
            for table, key in ((by_group, group_of(name)), (by_file, name or "anonymous")):
                table[who][key][0] += rss
                table[who][key][1] += pss
    ours, theirs = "kelvarino", "mpv"
    print("\nWhere the memory lies at the end, MB (RSS / PSS):")
    print(f"{'mapping':42} {'kelvarino':>15} {'mpv':>15} {'difference':>15}")
    groups = sorted({g for table in by_group.values() for g in table},
                    key=lambda g: -(by_group[ours][g][1] - by_group[theirs][g][1]))
    for g in groups + ["total"]:
        a = by_group[ours][g] if g != "total" else [sum(v[i] for v in by_group[ours].values())
                                                    for i in (0, 1)]
        b = by_group[theirs][g] if g != "total" else [sum(v[i] for v in by_group[theirs].values())
                                                      for i in (0, 1)]
        print(f"{g:42} {a[0] / 1024:7.1f} / {a[1] / 1024:5.1f} {b[0] / 1024:7.1f} / "
              f"{b[1] / 1024:5.1f} {(a[0] - b[0]) / 1024:+7.1f} / {(a[1] - b[1]) / 1024:+5.1f}")
    print("\nThe 25 largest of Kelvarino's mappings by PSS, MB (RSS / PSS), mpv's beside:")
    for name, (rss, pss) in sorted(by_file[ours].items(), key=lambda kv: -kv[1][1])[:25]:
        other = by_file[theirs].get(name, [0, 0])
        print(f"{name[-60:]:60} {rss / 1024:7.1f} / {pss / 1024:5.1f}   "
              f"{other[0] / 1024:7.1f} / {other[1] / 1024:5.1f}")


processes = {}
for who, command in players.items():
    env = home()
    processes[who] = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                                      stderr=open(work / f"{who}.log", "w"))
# Past the start-up: the first picture is on screen by then, even on a loaded machine.
time.sleep(5)
samples = {who: [] for who in players}  # (seconds, rss, pss, peak rss)
started = time.monotonic()
duration = args.minutes * 60
try:
    while True:
        elapsed = time.monotonic() - started
        for who, process in processes.items():
            if process.poll() is not None:
                sys.exit(f"{who} ended early with {process.returncode}:\n"
                         + (work / f"{who}.log").read_text()[-2000:])
            samples[who].append((elapsed,) + sample(process.pid))
        if elapsed >= duration:
            break
        time.sleep(max(0.0, min(args.interval * len(samples["mpv"]), duration) + started
                       - time.monotonic()))
    if args.breakdown:
        breakdown({who: p.pid for who, p in processes.items()})
finally:
    for process in processes.values():
        end(process, grace_s=10)
    shutil.rmtree(work, ignore_errors=True)


def at(who, seconds, column):
    """The value of the sample nearest to `seconds`."""
    return min(samples[who], key=lambda s: abs(s[0] - seconds))[column]


marks = [("start", 0)] + [(f"{m} min", m * 60) for m in (1, 5, 10) if m * 60 < duration]
marks.append((f"{args.minutes:g} min", duration))
print(f"\nMemory, MB, a 10 s 640x360 H.264 clip on repeat for {args.minutes:g} min, "
      f"sampled every {args.interval:g} s (start: 5 s after spawning)")
header = f"{'':22}" + "".join(f"{label:>9}" for label, _ in marks) + f"{'peak':>9}"
for measure, column in (("RSS", 1), ("PSS", 2)):
    print(f"\n{measure}{header[len(measure):]}")
    rows = {}
    for who in players:
        values = [at(who, seconds, column) for _, seconds in marks]
        # Peak RSS is the kernel's high-water mark; peak PSS the highest sample.
        peak = samples[who][-1][3] if column == 1 else max(s[2] for s in samples[who])
        rows[who] = values + [peak]
        print(f"{who:22}" + "".join(f"{v:9.1f}" for v in rows[who]))
    for who in players:
        if who != "mpv":
            print(f"{who + ' - mpv':22}" +
                  "".join(f"{a - b:+9.1f}" for a, b in zip(rows[who], rows["mpv"])))
