"""How the running player presents itself to the desktop: the progress on its
dock button as a dock receives it, the always-on-top band as the window
manager keeps it, and the icon the window carries."""

import os
import re
import subprocess
import time
import unittest
from pathlib import Path

from desktop import ACTIVITY_RULE, Dock
from harness import PlayerTest, run, video_clip, wait_for

SOURCE_DIR = Path(os.environ.get("KELVARINO_SOURCE_DIR", Path(__file__).resolve().parents[2]))
def rgba_pixels(path):
    """The pixels of an image as (r, g, b, a), row by row."""
    raw = subprocess.run(["convert", str(path), "rgba:-"], check=True, capture_output=True,
                         timeout=30).stdout
    return [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]


def premultiplied(r, g, b, a):
    return (r * a + 127) // 255, (g * a + 127) // 255, (b * a + 127) // 255, a


class PresentationTest(PlayerTest):
    def play_in_a_fixed_window(self, clip, **settings):
        # The window-size preset leaves the window where "move" puts it.
        self.sandbox.write_settings(zoom="0", move="1200,900,9300,6000", **settings)
        player = self.start(clip)
        return player, player.window()

    def click_play_pause(self, window):
        # The first button of the control bar, at the bottom left of the client area.
        _, _, _, height = window.client()
        run("xdotool", "mousemove", "--window", window.id, 24, height - 20, "click", "1")

    def test_the_dock_follows_playback_and_its_pause_and_loses_the_bar_at_the_end(self):
        dock = Dock(self.sandbox.root)
        self.addCleanup(dock.close)
        player, window = self.play_in_a_fixed_window(video_clip(seconds=10))

        playing = wait_for(lambda: [u for u in dock.updates() if u[2]][5:] and
                           [u for u in dock.updates() if u[2]], 15, what="six progress updates")
        first = dock.updates()[0]
        self.assertEqual(first[1:], ("application://kelvarino.desktop", False, 0.0),
                         "a bar left from an earlier run is cleared first")
        gaps = sorted(b[0] - a[0] for a, b in zip(playing, playing[1:]))
        self.assertAlmostEqual(gaps[len(gaps) // 2], 0.5, delta=0.1, msg="one update every 500 ms")
        progress = [u[3] for u in playing]
        self.assertEqual(progress, sorted(progress))
        self.assertGreater(progress[-1], progress[0])

        clicked = time.time()
        self.click_play_pause(window)
        time.sleep(1.5)  # three ticks' time, in which only the pause's own update may come
        # A tick may come between the click and the pause itself.
        after = [u for u in dock.updates() if u[0] > clicked + 0.15]
        self.assertEqual(len(after), 1, after)
        self.assertTrue(after[0][2], "paused keeps the bar")
        frozen = dock.updates()
        time.sleep(1.5)  # three ticks' time, in which nothing may come
        self.assertEqual(dock.updates(), frozen, "no updates while paused")
        self.assertEqual(player.close(), 0)
        wait_for(lambda: len(dock.updates()) > len(frozen), 5, what="the update at the end")
        self.assertFalse(dock.updates()[-1][2], "the bar goes with the program")

    def test_the_bar_goes_when_the_media_ends_and_stays_gone(self):
        dock = Dock(self.sandbox.root)
        self.addCleanup(dock.close)
        player, _ = self.play_in_a_fixed_window(video_clip(seconds=2))
        wait_for(lambda: any(u[2] for u in dock.updates()), 10, what="a progress update")
        ended = wait_for(lambda: [u for u in dock.updates() if u[2]] and not dock.updates()[-1][2]
                         and dock.updates(), 10, what="the bar removed at the end")
        time.sleep(1.5)  # an engine that started the item again would bring the bar back
        self.assertEqual(dock.updates(), ended, "nothing after the end")
        self.assertIsNone(player.process.poll())
        self.assertEqual(player.close(), 0)

    def test_a_repeated_short_clip_keeps_the_session_awake_every_minute_in_the_same_memory(self):
        screensaver = Dock(self.sandbox.root, ACTIVITY_RULE)
        self.addCleanup(screensaver.close)
        player, _ = self.play_in_a_fixed_window(video_clip(seconds=3), mReplay="True")
        # Every round of the clip ends and starts it again; the minute must go on,
        # and what a round frees must not stay with the process.
        resident = []

        def idle_timers_reset():
            resident.append(player.resident_mb())
            return "member=SimulateUserActivity" in screensaver.log.read_text()
        wait_for(idle_timers_reset, 75, interval=1,
                 what="the idle timers reset within the first minute")
        # The first round fills the decoders' and the picture's buffers once.
        settled = resident[5:]
        self.assertLess(settled[-1] - min(settled), 10, f"MB over 20 rounds: {resident}")
        self.assertIsNone(player.process.poll())
        self.assertEqual(player.close(), 0)

    def test_on_top_while_a_video_plays_and_not_after_a_pause_in_the_same_place(self):
        player, window = self.play_in_a_fixed_window(video_clip(seconds=10), mTop="True")
        # Going on top keeps the place "move" gives: 1200,900 twips, 9300 x 6000.
        placed = (80, 60, 620, 400)
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in window.states(), 15, what="the window above")
        wait_for(lambda: window.outer() == placed, 5, what=f"the window at {placed}")
        self.click_play_pause(window)
        wait_for(lambda: "_NET_WM_STATE_ABOVE" not in window.states(), 5, what="the window back")
        time.sleep(0.2)  # a move that came with leaving the band would show by now
        self.assertEqual(window.outer(), placed)
        self.assertEqual(player.close(), 0)

    def test_the_window_carries_the_program_icon(self):
        player, window = self.play_in_a_fixed_window(video_clip(seconds=10))
        out = run("xprop", "-id", window.id, "-notype", "-f", "_NET_WM_ICON", "32c",
                  "_NET_WM_ICON").stdout
        numbers = [int(n) for n in re.findall(r"\d+", out.split("=", 1)[1])]
        images = {}
        while numbers:
            w, h = numbers[:2]
            images[(w, h)] = numbers[2:2 + w * h]
            numbers = numbers[2 + w * h:]
        self.assertIn((32, 32), images)
        pixels = rgba_pixels(SOURCE_DIR / "resources/icons/hicolor/32x32/apps/kelvarino.png")
        self.assertEqual(len(pixels), 32 * 32)
        differing = 0
        for argb, rgba in zip(images[(32, 32)], pixels):
            got = premultiplied((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24)
            want = premultiplied(*rgba)
            differing += got[3] != want[3] or max(abs(a - b) for a, b in zip(got[:3], want[:3])) > 1
        self.assertEqual(differing, 0, "the 32 px image is our icon")
        self.assertEqual(player.close(), 0)

    def test_without_a_session_bus_the_player_plays_and_logs_nothing_about_it(self):
        self.sandbox.write_settings(zoom="0")
        player = self.start(video_clip(seconds=10),
                            env=self.sandbox.env(DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent"))
        player.window()
        time.sleep(3)  # six progress ticks that have no bus to go to
        self.assertIsNone(player.process.poll())
        self.assertNotRegex(player.stderr(), re.compile("bus", re.I))
        self.assertNotIn("ALSA", player.stderr(), "a machine without sound prints no errors")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
