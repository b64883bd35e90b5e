"""Runs the real Kelvarino binary in the X session of with_display.sh, acts on
it as a person does (keys, clicks, menus, dialogs) and reads its window the way
a person sees it: titles, geometry, states, screenshots."""

import ctypes
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zlib
from pathlib import Path

BINARY = Path(os.environ.get("KELVARINO_BINARY", "build/kelvarino")).resolve()
BUILD_DIR = BINARY.parent
MEDIA_DIR = BUILD_DIR / "test-media"
TWIPS = 15
BAR = 65  # the control bar's height in pixels: 970 twips


def arguments(args):
    """Command-line arguments; bytes go as they are: a file name need not be text."""
    return [a if isinstance(a, bytes) else str(a) for a in args]


def run(*args, check=True, timeout=30, **kw):
    return subprocess.run(arguments(args), check=check, timeout=timeout,
                          capture_output=True, text=True, **kw)


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


# --- media -------------------------------------------------------------------

def _generate(name, *ffmpeg_args):
    MEDIA_DIR.mkdir(parents=True, exist_ok=True)
    target = MEDIA_DIR / name
    if target.exists():
        return target
    part = MEDIA_DIR / f".{os.getpid()}.{name}"
    run("ffmpeg", "-loglevel", "error", "-y", *ffmpeg_args, part, timeout=120)
    os.replace(part, target)  # concurrent tests may generate the same clip
    return target


def video_clip(width=640, height=360, seconds=10, name=None, sound=False, rate=25):
    """An H.264 clip with moving content, and with sound a sine in AAC."""
    fps = "" if rate == 25 else f"-{rate}fps"
    name = name or f"video-{width}x{height}-{seconds}s{fps}{'-sound' if sound else ''}.mp4"
    audio = (["-f", "lavfi", "-i", f"sine=frequency=440:duration={seconds}", "-c:a", "aac"]
             if sound else [])
    return _generate(name, "-f", "lavfi", "-i",
                     f"testsrc2=size={width}x{height}:rate={rate}:duration={seconds}", *audio,
                     "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p")


def audio_clip(seconds=10, name=None, artist="Test Artist", title="Test Title", cover=None,
               album=None):
    """A sine-wave mp3 with artist and title tags, with cover art of one
    colour (such as "0x2080E0") and an album tag when asked."""
    name = name or f"sine-{seconds}s.mp3"
    picture = (["-f", "lavfi", "-i", f"color=c={cover}:size=300x300:duration=1", "-map", "0:a",
                "-map", "1:v", "-frames:v", "1", "-c:v", "png", "-disposition:v", "attached_pic"]
               if cover else [])
    return _generate(name, "-f", "lavfi", "-i", f"sine=frequency=440:duration={seconds}",
                     *picture, "-c:a", "libmp3lame", "-metadata", f"artist={artist}",
                     "-metadata", f"title={title}",
                     *(["-metadata", f"album={album}"] if album else []))


def still_clip(colour, width=320, height=240, seconds=10):
    """An H.264 clip of one colour all through."""
    return _generate(f"still-{colour}-{width}x{height}-{seconds}s.mp4", "-f", "lavfi", "-i",
                     f"color=c={colour}:size={width}x{height}:rate=25:duration={seconds}",
                     "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p")


COLOURS = ("E63CAA", "3CE6C8", "E6C83C")  # of colour_clip's segments, 0-10 s, 10-20 s, 20-30 s


def colour_clip(chapters=("片头", "Middle", "结尾")):
    """30 s of 320x240 H.264 in Matroska, one solid colour of COLOURS for
    each 10 s and a chapter with each colour, titled `chapters`; a keyframe
    every second."""
    MEDIA_DIR.mkdir(parents=True, exist_ok=True)
    marks = "".join(f"[CHAPTER]\nTIMEBASE=1/1000\nSTART={i * 10000}\nEND={i * 10000 + 10000}\n"
                    f"title={title}\n" for i, title in enumerate(chapters))
    listing = MEDIA_DIR / f"chapters-{zlib.crc32('/'.join(chapters).encode()):08x}.txt"
    listing.write_text(";FFMETADATA1\n" + marks, encoding="utf-8")
    graph = ";".join(f"color=c=0x{c}:size=320x240:rate=25:duration=10[s{i}]"
                     for i, c in enumerate(COLOURS))
    graph += ";" + "".join(f"[s{i}]" for i in range(len(COLOURS))) + "concat=n=3[out0]"
    return _generate(f"colours-{listing.stem}.mkv", "-f", "lavfi", "-i", graph, "-i", listing,
                     "-map_metadata", "1", "-map_chapters", "1", "-c:v", "libx264", "-preset",
                     "veryfast", "-g", "25", "-pix_fmt", "yuv420p")


def segment_shown(rgb):
    """Which of COLOURS (its index) an (r, g, b) on the screen is; None for
    none of them."""
    for i, colour in enumerate(COLOURS):
        want = bytes.fromhex(colour)
        if all(abs(have - w) < 24 for have, w in zip(rgb, want)):
            return i
    return None


# --- X -----------------------------------------------------------------------

def screenshot(path, region=None):
    """The screen, or the (x, y, width, height) part of it."""
    if "DISPLAY" not in os.environ:  # a Wayland session (with_wayland.sh)
        run("grim", *(["-g", "{0},{1} {2}x{3}".format(*region)] if region else []), path)
        return Path(path)
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*region)] if region else []
    run("import", "-window", "root", *crop, path)
    return Path(path)


def content_box(path, background="black"):
    """(x, y, width, height) of what differs from the background colour, None
    when nothing does."""
    out = run("convert", path, "+repage", "-fuzz", "15%", "-bordercolor", background, "-border", "1",
              "-trim", "-format", "%w %h %X %Y", "info:").stdout.split()
    w, h, x, y = (int(n) for n in out)
    return None if w <= 1 and h <= 1 else (x - 1, y - 1, w, h)


def pixel_colour(path, x, y):
    """(r, g, b) of one pixel, 0..255."""
    out = run("convert", path, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)] "
              f"%[fx:int(255*p{{{x},{y}}}.g)] %[fx:int(255*p{{{x},{y}}}.b)]", "info:").stdout
    return tuple(int(n) for n in out.split())


def bright_share(image, region=None):
    """The share of near-white pixels in a screenshot, or in its (x, y, width,
    height) part: text over a dark or coloured picture."""
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*region)] if region else []
    out = run("convert", image, *crop, "-colorspace", "Gray", "-threshold", "75%",
              "-format", "%[fx:mean]", "info:")
    return float(out.stdout)


def colour_share(image, colour, region):
    """The share of the (x, y, width, height) part of a screenshot within a
    tenth of `colour` ("E63CAA")."""
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*region)]
    out = run("convert", image, *crop, "-fuzz", "10%", "-fill", "white", "-opaque", f"#{colour}",
              "-fill", "black", "+opaque", "white", "-colorspace", "Gray", "-format", "%[fx:mean]",
              "info:")
    return float(out.stdout)


def white_share(image, region=None):
    """The share of pixels within a tenth of white: text over a picture of
    bright colours, whose green bright_share would count."""
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*region)] if region else []
    out = run("convert", image, *crop, "-fuzz", "10%", "-fill", "black", "+opaque", "white",
              "-colorspace", "Gray", "-threshold", "50%", "-format", "%[fx:mean]", "info:")
    return float(out.stdout)


def middle_of(client):
    """The band across the middle of the picture where a failure line is."""
    x, y, w, h = client
    picture = h - BAR
    return (x + w // 8, y + picture // 2 - 30, w * 3 // 4, 60)


def image_difference(a, b):
    """The share of pixels that differ between two screenshots, 0..1."""
    out = run("compare", "-metric", "AE", "-fuzz", "5%", a, b, "null:", check=False)
    pixels = float(out.stderr.split()[0])
    size = run("identify", "-format", "%w %h", a).stdout.split()
    return pixels / (int(size[0]) * int(size[1]))


def xprop(window, prop):
    return run("xprop", "-id", window, prop, check=False).stdout.strip()


class Window:
    def __init__(self, wid):
        self.id = wid

    def title(self):
        return run("xdotool", "getwindowname", self.id, check=False).stdout.rstrip("\n")

    def frame_extents(self):
        out = xprop(self.id, "_NET_FRAME_EXTENTS")
        nums = [int(n) for n in re.findall(r"\d+", out.split("=")[-1])] if "=" in out else []
        return tuple(nums) if len(nums) == 4 else (0, 0, 0, 0)  # left, right, top, bottom

    def client(self):
        """(x, y, width, height) of the client area, in screen pixels."""
        out = run("xwininfo", "-id", self.id).stdout
        def field(name):
            return int(re.search(rf"{name}:\s+(-?\d+)", out).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))

    def outer(self):
        """(x, y, width, height) of the frame, in screen pixels."""
        x, y, w, h = self.client()
        left, right, top, bottom = self.frame_extents()
        return (x - left, y - top, w + left + right, h + top + bottom)

    def states(self):
        return xprop(self.id, "_NET_WM_STATE")

    def centred(self):
        """Whether the frame sits in the middle of the screen, to a pixel."""
        ox, oy, ow, oh = self.outer()
        sw, sh = screen_size()
        return abs(ox - (sw - ow) // 2) <= 1 and abs(oy - (sh - oh) // 2) <= 1

    def children(self):
        """The native child windows, each (id, x, y, width, height) within this one."""
        out = run("xwininfo", "-children", "-id", self.id).stdout
        return [(m[1], int(m[4]), int(m[5]), int(m[2]), int(m[3])) for m in re.finditer(
            r"^\s+(0x[0-9a-f]+) .*\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+-?\d+\+-?\d+$", out, re.M)]

    def close(self):
        run("wmctrl", "-ic", self.id, check=False)


def screen_size():
    out = run("xdpyinfo").stdout
    w, h = re.search(r"dimensions:\s+(\d+)x(\d+) pixels", out).groups()
    return int(w), int(h)


def parent_of(window_id):
    out = run("xwininfo", "-tree", "-id", window_id, check=False).stdout
    m = re.search(r"Parent window id: (0x[0-9a-f]+)", out)
    return int(m.group(1), 16) if m else None


def windows_of(pid):
    """The process's visible top-level windows (windows, dialogs, menus). The
    player's picture and its control bar are native child windows of the
    process; they are left out."""
    ids = run("xdotool", "search", "--onlyvisible", "--pid", pid, check=False).stdout.split()
    # Children are told by a parent of the process whether or not it is
    # visible yet: the window is mapped while the list is being made.
    own = {int(w) for w in run("xdotool", "search", "--pid", pid, check=False).stdout.split()}
    return [Window(w) for w in ids if parent_of(w) not in own]


def sway_windows(pid):
    """Under Wayland (with_wayland.sh): the process's windows as sway lays them
    out, each its title and (x, y, width, height) inside the borders."""
    nodes, found = [json.loads(run("swaymsg", "-t", "get_tree").stdout)], []
    while nodes:
        n = nodes.pop()
        nodes += n.get("nodes", []) + n.get("floating_nodes", [])
        if n.get("pid") == pid:
            r, w = n["rect"], n["window_rect"]
            found.append((n["name"], (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])))
    return found


def close_windows(pid, exit_status, timeout=10):
    """Closes the windows of process `pid` as a person does, again every two
    seconds (a close that reaches a window the window manager has not yet
    taken in is lost, and a person would click once more), until
    exit_status() tells how it ended; returns that."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for w in windows_of(pid):
            w.close()
        again = min(deadline, time.monotonic() + 2)
        while time.monotonic() < again:
            status = exit_status()
            if status is not None:
                return status
            time.sleep(0.05)
    raise AssertionError(f"process {pid} still runs {timeout} s after its windows were closed")


def wait_client_size(window, size, timeout=10):
    """Waits until the client area is `size` (width, height)."""
    return wait_for(lambda: window.client()[2:] == size, timeout, what=f"the client size {size}")


def window_titled(player, title, timeout=10):
    """The player's window of that title, once it is shown."""
    return wait_for(lambda: next((w for w in windows_of(player.pid) if w.title() == title), None),
                    timeout, what=f"a window titled {title!r}")


def dialog_titled(player, title, timeout=10):
    """The dialog of that title once it has the keyboard: what is typed then goes into it."""
    dialog = window_titled(player, title, timeout)
    wait_for(lambda: run("xdotool", "getwindowfocus", check=False).stdout.strip() == dialog.id,
             timeout, what=f"{title!r} taking the keys")
    return dialog


_x11 = ctypes.CDLL("libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_int, ctypes.c_ulong]
_x11.XUngrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


def keyboard_grabbed():
    """Whether another program holds the keyboard, as an open menu does: a grab
    of our own is refused then (and let go at once when it is not)."""
    display = _x11.XOpenDisplay(None)
    if not display:
        raise AssertionError("no X display to ask")
    status = _x11.XGrabKeyboard(display, _x11.XDefaultRootWindow(display), False, 1, 1, 0)
    if status == 0:
        _x11.XUngrabKeyboard(display, 0)
    _x11.XCloseDisplay(display)
    return status == 1  # AlreadyGrabbed


def wait_menu(player, windows=2, what="the pop-up menu"):
    """Waits until the player shows `windows` windows, the newest a menu that
    has taken the keyboard: a key pressed then reaches the menu."""
    wait_for(lambda: len(windows_of(player.pid)) >= windows, what=what)
    wait_for(keyboard_grabbed, what=f"{what} taking the keys")


def click(x, y, button=1):
    """Moves the pointer to (x, y) and clicks there. The button follows the
    move in the X server's order; xdotool's --sync would wait 15 s for a move
    when the pointer is already there."""
    run("xdotool", "mousemove", x, y, "click", button)


def pop_up_menu(player, window, *keys):
    """Right-clicks the picture and presses `keys` in the menu, each but the
    last opening a submenu (an accelerator such as "s" for 播放设置(&S))."""
    shown = len(windows_of(player.pid))
    x, y, w, h = window.client()
    click(x + w // 2, y + h // 3, 3)
    for depth, key in enumerate(keys):
        wait_menu(player, shown + depth + 1, "the pop-up menu" if depth == 0 else "the submenu")
        run("xdotool", "key", key)


def press(window, *keys):
    """Keys through the X server as a keyboard types them, into `window` made
    the active one first."""
    run("xdotool", "windowactivate", "--sync", window.id, check=False)
    run("xdotool", "key", *keys)


def open_file_dialog(player, window):
    """Ctrl+O, and the open dialog once it takes the keys."""
    press(window, "ctrl+o")
    return dialog_titled(player, "打开")


# --- the player ----------------------------------------------------------------

class Sandbox:
    """A private home, settings folder and program folder for one scenario. The
    program folder holds a copy of the executable beside links to its
    libraries, so that each scenario has a `playlist` folder of its own."""

    def __init__(self):
        self.root = Path(tempfile.mkdtemp(prefix="kelvarino-e2e-"))
        self.home = self.root / "home"
        self.windir = self.root / "windows"
        self.runtime = self.root / "runtime"
        self.program = self.root / "program"
        for d in (self.home, self.windir, self.runtime, self.program):
            d.mkdir()
        os.chmod(self.runtime, 0o700)
        shutil.copy2(BINARY, self.program / "kelvarino")
        for lib in BUILD_DIR.glob("libkelvarino_*.so"):
            (self.program / lib.name).symlink_to(lib)

    @property
    def binary(self):
        return self.program / "kelvarino"

    @property
    def settings(self):
        return self.windir / "Kelvarino.dat"

    @property
    def playlist(self):
        return self.program / "playlist"

    def write_settings(self, **keys):
        text = "[Option]\r\n" + "".join(f"{k}={v}\r\n" for k, v in keys.items())
        self.settings.write_bytes(text.encode("utf-8"))

    def env(self, **extra):
        env = dict(os.environ)
        env.update(HOME=str(self.home), windir=str(self.windir),
                   XDG_CONFIG_HOME=str(self.home / ".config"),
                   XDG_DATA_HOME=str(self.home / ".local/share"),
                   XDG_CACHE_HOME=str(self.home / ".cache"),
                   XDG_STATE_HOME=str(self.home / ".local/state"),
                   XDG_RUNTIME_DIR=str(self.runtime), KELVARINO_TRACE="1",
                   LANG="C.UTF-8", LC_ALL="C.UTF-8")
        env.update({k: str(v) for k, v in extra.items()})
        # In the sanitizer build every player of the sandbox writes its
        # reports into the sandbox, where the scenario's end looks for them.
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in env:
                env[name] += f":log_path={self.root / 'sanitizer'}"
        return env

    def sanitizer_reports(self):
        return "".join(p.read_text(errors="replace") for p in sorted(self.root.glob("sanitizer.*")))

    def cleanup(self):
        shutil.rmtree(self.root, ignore_errors=True)


class Player:
    def __init__(self, sandbox, *args, env=None, binary=None):
        self.sandbox = sandbox
        self.stderr_path = sandbox.root / f"stderr-{time.monotonic_ns()}.log"
        self._stderr = open(self.stderr_path, "w")
        self.process = subprocess.Popen([str(binary or sandbox.binary), *arguments(args)],
                                        env=env or sandbox.env(), stdout=subprocess.DEVNULL,
                                        stderr=self._stderr, cwd=sandbox.root)

    @property
    def pid(self):
        return self.process.pid

    def window(self, timeout=15):
        def mapped():
            if self.process.poll() is not None:
                raise AssertionError(f"player exited with {self.process.returncode}: {self.stderr()}")
            found = windows_of(self.pid)
            return found[0] if found else None
        return wait_for(mapped, timeout, what="the player's window")

    def stderr(self):
        return self.stderr_path.read_text(errors="replace")

    def resident_mb(self):
        """The memory the process holds now (its RSS), in MB."""
        status = Path(f"/proc/{self.pid}/status").read_text()
        return int(re.search(r"^VmRSS:\s+(\d+) kB", status, re.M).group(1)) / 1024

    def trace(self, milestone):
        """ms since process start of a milestone, or None."""
        m = re.search(rf"^kelvarino-trace {re.escape(milestone)} (\d+)", self.stderr(), re.M)
        return int(m.group(1)) if m else None

    def wait_trace(self, milestone, timeout=15):
        return wait_for(lambda: self.trace(milestone), timeout, what=milestone)

    def link_executes(self):
        """The commands handed over by second starts that this instance handled, in order."""
        return link_executes(self.stderr())

    def close(self, timeout=10):
        """Closes the windows as a person does; the exit code."""
        code = close_windows(self.pid, self.process.poll, timeout)
        self._stderr.close()
        return code

    def wait(self, timeout=10):
        code = self.process.wait(timeout)
        self._stderr.close()
        return code

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(5)
        self._stderr.close()


def link_executes(stderr):
    """The hand-over commands a player's stderr says it handled, in order."""
    return re.findall(r"^kelvarino-trace link-execute \d+ mono=\d+ (.*)$", stderr, re.M)


class PlayerTest(unittest.TestCase):
    """A scenario with its own sandbox; players it starts are ended with it."""

    def setUp(self):
        self.sandbox = Sandbox()
        self.players = []

    def tearDown(self):
        for p in self.players:
            p.kill()
        reports = self.sandbox.sanitizer_reports()
        if os.environ.get("KELVARINO_KEEP_SANDBOX"):
            print("sandbox kept:", self.sandbox.root)
        else:
            self.sandbox.cleanup()
        if reports:
            self.fail("a sanitizer reported:\n" + reports)

    def start(self, *args, **kw):
        player = Player(self.sandbox, *args, **kw)
        self.players.append(player)
        return player

    def shot(self, name, region=None):
        folder = BUILD_DIR / "e2e-shots"
        folder.mkdir(exist_ok=True)
        return screenshot(folder / f"{self.id().split('.')[-1]}-{name}.png", region)

    def settled_shot(self, name, region, shows, timeout=10, what=None):
        """A screenshot of `region` once it shows what `shows` looks for and the
        next one looks the same: not a picture caught while it changes."""
        shots = [self.shot(f"{name}-0", region)]

        def settled():
            shots.append(self.shot(f"{name}-{len(shots) % 2}", region))
            last, before = shots[-1], shots[-2]
            return image_difference(last, before) < 0.001 and shows(last) and last
        return wait_for(settled, timeout, what=what or f"the picture {name}")
