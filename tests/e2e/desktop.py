"""What the desktop around the player sees of it: its media-player interface
through playerctl, and the signals on the session bus as a dock receives them."""

import re
import subprocess
import time

from harness import run, wait_for

UPDATE_RULE = "type='signal',interface='com.canonical.Unity.LauncherEntry',member='Update'"
ACTIVITY_RULE = "interface='org.freedesktop.ScreenSaver',member='SimulateUserActivity'"


def playerctl(*args, player="kelvarino"):
    return run("playerctl", "-p", player, *args, check=False).stdout.strip()


def position(player="kelvarino"):
    """Seconds into the item, NaN when the player does not say."""
    return float(playerctl("position", player=player) or "nan")


class Dock:
    """Listens on the session bus for launcher-entry updates, as a dock does, or
    for the messages of another rule."""

    def __init__(self, folder, rule=UPDATE_RULE):
        self.log = folder / f"dock-{time.monotonic_ns()}.log"
        self._out = open(self.log, "w")
        self.process = subprocess.Popen(["dbus-monitor", rule], stdout=self._out,
                                        stderr=subprocess.DEVNULL)
        # dbus-monitor announces itself with the bus's own signals once it listens.
        wait_for(lambda: "NameLost" in self.log.read_text(), 5, what="dbus-monitor")

    def updates(self):
        """[(seconds since the epoch, app uri, visible, progress)] in order."""
        found = []
        for block in re.split(r"\n(?=signal |method )", self.log.read_text()):
            if "member=Update" not in block:
                continue
            visible = re.search(r'"progress-visible"\s*variant\s+boolean (\w+)', block)
            progress = re.search(r'"progress"\s*variant\s+double (\S+)', block)
            found.append((float(re.search(r"time=([\d.]+)", block).group(1)),
                          re.search(r'string "([^"]*)"', block).group(1),
                          visible.group(1) == "true", float(progress.group(1))))
        return found

    def close(self):
        self.process.terminate()
        self.process.wait(5)
        self._out.close()
