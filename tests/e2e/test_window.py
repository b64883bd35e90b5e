"""The window as a person meets it: it maps, plays, sits where the settings say
and closes cleanly."""

import re
import time
import unittest

from harness import (BAR, PlayerTest, Window, click, image_difference, press, run, screen_size,
                     still_clip, video_clip, wait_client_size, wait_for, windows_of)


class WindowTest(PlayerTest):
    def test_without_settings_the_window_is_centred_at_its_design_size(self):
        player = self.start()
        window = player.window()
        wait_for(window.centred, what="the window centred")
        self.assertEqual(window.client()[2:], (601, 315))
        self.assertEqual(window.title(), "Kelvarino")
        self.assertEqual(player.close(), 0)

    def test_a_saved_rectangle_places_the_outer_window(self):
        self.sandbox.write_settings(zoom="0", move="1200,900,9300,6000")
        player = self.start()
        window = player.window()
        wait_for(lambda: window.outer() == (80, 60, 620, 400), what="the window where it was")

    def test_a_saved_rectangle_that_cannot_be_a_window_here_gives_the_centred_window(self):
        clip = video_clip()
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
                    self.assertTrue(window.centred(), f"not centred: {window.outer()}")
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
        picture = (x, y, w, h - BAR)
        first = self.shot("a", picture)
        wait_for(lambda: image_difference(first, self.shot("b", picture)) > 0.05, 5,
                 what="the picture moving")
        self.assertEqual(player.close(), 0)

    def test_a_nonexistent_path_opens_the_window_without_a_dialog(self):
        player = self.start(self.sandbox.root / "no such file.mp4")
        player.window()
        time.sleep(1.5)  # a dialog would be up by now
        self.assertIsNone(player.process.poll())
        self.assertEqual(len(windows_of(player.pid)), 1, "a dialog appeared")
        self.assertEqual(player.close(), 0)


def player_layout(window):
    """The player, its picture and its control bar, each (x, y, width, height),
    as the X server has them: the player in the client area, the other two in
    the player."""
    (player_id, *player), = window.children()
    picture, bar = sorted((c[1:] for c in Window(player_id).children()), key=lambda c: c[1])
    return tuple(player), picture, bar


def move_of(settings):
    text = settings.read_bytes().decode()
    return text.split("move=")[1].split("\r\n")[0]


class MaximiseAndFullScreenTest(PlayerTest):
    """Maximising a window with a video goes full screen; the ways back out,
    through the keyboard, the window manager and a second start."""

    def start_playing(self, move="1200,900,9300,6000"):
        self.sandbox.write_settings(zoom="0", move=move)  # no fitting: the window keeps its place
        player = self.start(video_clip(seconds=30, sound=True))
        window = player.window()
        player.wait_trace("first-frame")
        return player, window

    def maximise(self, window):
        run("wmctrl", "-ir", window.id, "-b", "add,maximized_vert,maximized_horz")
        wait_for(lambda: "FULLSCREEN" in window.states(), what="full screen")

    def assert_laid_out(self, window, states):
        """The window manager has the window in exactly the states named, and
        the picture and the bar below it fill the client area."""
        def expected():
            w, h = window.client()[2:]
            return (sorted(states),
                    ((0, 0, w, h), (0, 0, w, h - BAR), (0, h - BAR, w, BAR)))
        def found():
            return sorted(re.findall(r"_NET_WM_STATE_(\w+)", window.states())), player_layout(window)
        try:
            wait_for(lambda: found() == expected(), 5, what="the layout")
        except AssertionError:
            self.assertEqual(found(), expected())

    def test_after_full_screen_picture_and_bar_fill_the_window_and_follow_it(self):
        # Esc through the X server, then the window manager restores and
        # resizes; later it takes the window out of full screen itself.
        player, window = self.start_playing()
        normal = window.outer()
        self.maximise(window)
        sw, sh = screen_size()
        wait_for(lambda: player_layout(window)[0] == (0, 0, sw, sh), what="the player on the screen")

        # The keys go to the picture once it has been clicked.
        x, y, w, h = window.client()
        click(x + w // 2, y + h // 2)
        run("xdotool", "key", "Escape")
        self.assert_laid_out(window, ["MAXIMIZED_VERT", "MAXIMIZED_HORZ"])
        time.sleep(1.0)  # a way back that went full screen again would have done so by now
        self.assertNotIn("FULLSCREEN", window.states(), "the way back went full screen again")
        self.assert_laid_out(window, ["MAXIMIZED_VERT", "MAXIMIZED_HORZ"])

        run("wmctrl", "-ir", window.id, "-b", "remove,maximized_vert,maximized_horz")
        self.assert_laid_out(window, [])
        self.assertEqual(window.outer(), normal)
        run("wmctrl", "-ir", window.id, "-e", "0,100,100,800,500")
        wait_for(lambda: window.client()[2:] != normal[2:], what="the new size")
        self.assert_laid_out(window, [])

        # The window manager's own way out of full screen, once the player
        # fills the screen, as a person sees it before leaving it.
        self.maximise(window)
        wait_for(lambda: player_layout(window)[0] == (0, 0, sw, sh), what="the player on the screen")
        run("wmctrl", "-ir", window.id, "-b", "remove,fullscreen")
        self.assert_laid_out(window, ["MAXIMIZED_VERT", "MAXIMIZED_HORZ"])
        self.assertEqual(player.close(), 0)

    def test_a_second_start_while_full_screen_returns_the_window_to_normal(self):
        player, window = self.start_playing()
        normal = window.outer()
        for args in ([], [video_clip(sound=True)]):
            with self.subTest(args=args):
                self.maximise(window)
                second = self.start(*args)
                self.assertEqual(second.wait(10), 0)
                self.assert_laid_out(window, [])
                self.assertEqual(window.outer(), normal)
                # The player settles for half a second after full screen; a
                # maximise in that time is lost.
                time.sleep(1.0)
        self.assertEqual(player.close(), 0)

    def test_a_second_start_while_full_screen_fits_and_centres_the_new_video(self):
        self.sandbox.write_settings(zoom="100%")
        small, large = still_clip("red", 320, 240, seconds=30), video_clip(seconds=30)
        sw, sh = screen_size()
        for way in ("maximise", "F"):
            with self.subTest(way=way):
                player = self.start(small)
                window = player.window()
                wait_client_size(window, (320, 240 + BAR))
                if way == "maximise":
                    self.maximise(window)
                else:
                    press(window, "f")
                    wait_for(lambda: "FULLSCREEN" in window.states(), what="full screen")
                self.assertEqual(self.start(large).wait(10), 0)
                self.assert_laid_out(window, [])
                wait_client_size(window, (640, 360 + BAR), 5)
                ox, oy, ow, oh = window.outer()
                self.assertEqual((ox, oy), ((sw - ow) // 2, (sh - oh) // 2), "centred")
                self.assertEqual(player.close(), 0)

    def test_closing_while_full_screen_saves_a_rectangle_the_window_had(self):
        player, window = self.start_playing()
        normal = window.outer()
        self.maximise(window)
        self.assertEqual(player.close(), 0)
        sw, sh = screen_size()
        saved = tuple(int(v) // 15 for v in move_of(self.sandbox.settings).split(","))
        self.assertIn(saved, (normal, (0, 0, sw, sh)), "neither the normal nor the maximised window")

        again = self.start()
        window = again.window()
        wait_for(lambda: window.outer() == saved, what=f"the window at {saved}")
        self.assertEqual(again.close(), 0)


if __name__ == "__main__":
    unittest.main()
