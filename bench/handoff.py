"""A second start handing its file over, side by side with a bare Qt process.

Runs a first instance of the built player in a private HOME and runtime
folder, then, interleaved, ROUNDS starts of the bare Qt program and ROUNDS
second starts with a file. For each second start it measures the time from
its spawn until the first instance has set URL (its trace line carries a
CLOCK_MONOTONIC stamp, the clock of time.monotonic) and until the second
process has exited. Prints the medians and the ratio to the bare start."""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

build = Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 20
player = build / "kelvarino"
bare = build / "bench_bare_qt"

root = Path(tempfile.mkdtemp(prefix="kelvarino-bench-"))
runtime = root / "runtime"
runtime.mkdir(mode=0o700)
env = dict(os.environ, HOME=str(root), windir=str(root), XDG_RUNTIME_DIR=str(runtime),
           XDG_DATA_HOME=str(root / "data"), XDG_CONFIG_HOME=str(root / "config"),
           KELVARINO_TRACE="1")
log = open(root / "first.log", "w+")
first = subprocess.Popen([player], env=env, stdout=subprocess.DEVNULL, stderr=log)


def first_has_window():
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(first.pid)],
                         capture_output=True, text=True).stdout
    return bool(out.split())


def delivered_at(command):
    text = (root / "first.log").read_text(errors="replace")
    m = re.search(rf"^kelvarino-trace link-execute \d+ mono=(\d+) {re.escape(command)}$", text, re.M)
    return int(m.group(1)) / 1e6 if m else None


try:
    deadline = time.monotonic() + 20
    while not first_has_window():
        if time.monotonic() > deadline or first.poll() is not None:
            sys.exit("the first instance did not come up")
        time.sleep(0.05)
    time.sleep(1.0)

    bare_ms, delivery_ms, exit_ms = [], [], []
    for i in range(rounds):
        t0 = time.monotonic()
        subprocess.run([bare], env=env, check=True)
        bare_ms.append((time.monotonic() - t0) * 1000)

        command = f"/media/bench {i}.mp4"
        t0 = time.monotonic()
        subprocess.run([player, command], env=env, check=True, stderr=subprocess.DEVNULL)
        exit_ms.append((time.monotonic() - t0) * 1000)
        deadline = time.monotonic() + 5
        while (at := delivered_at(command)) is None:
            if time.monotonic() > deadline:
                sys.exit(f"round {i}: the command never arrived")
            time.sleep(0.01)
        delivery_ms.append((at - t0) * 1000)
        time.sleep(0.2)  # let the first instance settle after loading

    b, d, e = (statistics.median(v) for v in (bare_ms, delivery_ms, exit_ms))
    print(f"medians of {rounds} rounds:")
    print(f"  bare Qt process start and exit       {b:6.1f} ms")
    print(f"  second start until URL is set        {d:6.1f} ms  ({d / b:.2f} x bare; target <= 1.2)")
    print(f"  second start until its process ends  {e:6.1f} ms  (target <= 50)")
finally:
    first.terminate()
    first.wait(10)
    log.close()
    shutil.rmtree(root, ignore_errors=True)
