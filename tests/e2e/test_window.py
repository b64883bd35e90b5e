"""The window as a person meets it: it maps, plays, sits where the settings say
and closes cleanly."""

import time
import unittest

from harness import PlayerTest, audio_clip, image_difference, screen_size, video_clip, windows_of


class WindowTest(PlayerTest):
    def test_without_settings_the_window_is_centred_at_its_design_size(self):
        player = self.start()
        window = player.window()
        time.sleep(0.5)
        x, y, w, h = window.client()
        self.assertEqual((w, h), (601, 315))
        ox, oy, ow, oh = window.outer()
        sw, sh = screen_size()
        self.assertAlmostEqual(ox, (sw - ow) // 2, delta=1)
        self.assertAlmostEqual(oy, (sh - oh) // 2, delta=1)
        self.assertEqual(window.title(), "Kelvarino")
        self.assertEqual(player.close(), 0)

    def test_a_saved_rectangle_places_the_outer_window(self):
        self.sandbox.write_settings(zoom="0", move="1200,900,9300,6000")
        player = self.start()
        window = player.window()
        time.sleep(0.5)
        self.assertEqual(window.outer(), (80, 60, 620, 400))

    def test_a_saved_rectangle_that_cannot_be_a_window_here_gives_the_centred_window(self):
        clip = video_clip()
        sw, sh = screen_size()
        # Sizes beyond what a window can have, beyond a number of pixels, and a
        # frame guessed around the full screen that puts the title bar above it.
        for move in ("1200,900,1e12,1e12", "1e30,900,1e30,6000", "-15,-285,28830,16485"):
            with self.subTest(move=move):
                self.sandbox.write_settings(zoom="0", move=move)
                player = self.start(clip)
                try:
                    window = player.window()
                    player.wait_trace("first-frame")
                    self.assertEqual(window.client()[2:], (601, 315))
                    ox, oy, ow, oh = window.outer()
                    self.assertAlmostEqual(ox, (sw - ow) // 2, delta=1)
                    self.assertAlmostEqual(oy, (sh - oh) // 2, delta=1)
                    self.assertEqual(player.close(), 0)
                finally:
                    player.kill()  # the next start must not find it running

    def test_a_clip_plays_in_the_window(self):
        clip = video_clip()
        self.sandbox.write_settings(zoom="0")  # keep the design size: the test reads a fixed area
        player = self.start(clip)
        window = player.window()
        player.wait_trace("first-frame")
        x, y, w, h = window.client()
        picture = (x, y, w, h - 65)  # above the control bar
        first = self.shot("a", picture)
        time.sleep(1.0)
        second = self.shot("b", picture)
        self.assertGreater(image_difference(first, second), 0.05, "the picture does not move")
        self.assertEqual(player.close(), 0)

    def test_a_nonexistent_path_opens_the_window_without_a_dialog(self):
        player = self.start(self.sandbox.root / "no such file.mp4")
        player.window()
        time.sleep(1.5)
        self.assertIsNone(player.process.poll())
        self.assertEqual(len(windows_of(player.pid)), 1, "a dialog appeared")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
