"""A desktop without X (with_wayland.sh: sway without XWayland): the picture,
the pop-up menu, the open dialog, a second start, MPRIS and the failure line."""

from harness import (PlayerTest, colour_box, pixel_colour, run, still_clip, sway_click,
                     sway_windows, wait_for)

COLOUR = "#E63CAA"  # the clip's colour as it arrives through YUV, within the fuzz


def playerctl(*args):
    return run("playerctl", "-p", "kelvarino", *args, check=False).stdout.strip()


class WaylandTest(PlayerTest):
    def start_playing(self):
        clip = still_clip("0xE63CAA")
        player = self.start(clip)
        wait_for(lambda: [w for w in sway_windows(player.pid) if w[0] == clip.name],
                 15, what="the window titled with the clip")
        box = wait_for(lambda: self.picture(player), 15, what="the clip's colour on the screen")
        return player, box

    def picture(self, player):
        """The clip's colour where it fills the picture: the tile's height above
        the 65 px bar, at the clip's 4:3."""
        height = sway_windows(player.pid)[0][1][3]
        box = colour_box(self.shot("picture"), COLOUR)
        return box if box and abs(box[3] - (height - 65)) <= 2 and abs(
            box[2] - box[3] * 4 / 3) <= 3 else None

    def test_the_picture_the_menu_and_the_open_dialog(self):
        player, (x, y, w, h) = self.start_playing()

        sway_click(x + w // 4, y + h // 4)
        # The menu lies over the picture, right of the pointer: light, with text.
        wait_for(lambda: sum(pixel_colour(self.shot("menu"), x + w // 4 + 60, y + h // 4 + 10))
                 > 600, what="the pop-up menu")
        run("wtype", "-k", "Escape")
        wait_for(lambda: self.picture(player), what="the menu gone")

        run("wtype", "-M", "ctrl", "o", "-m", "ctrl")
        wait_for(lambda: "打开" in [name for name, _ in sway_windows(player.pid)],
                 what="the open dialog")
        self.shot("open-dialog")
        run("wtype", "-k", "Escape")
        wait_for(lambda: len(sway_windows(player.pid)) == 1, what="the dialog closed")

    def test_a_second_start_mpris_and_the_failure_line(self):
        player, (x, y, w, h) = self.start_playing()
        self.assertEqual(playerctl("status"), "Playing")
        playerctl("play-pause")
        wait_for(lambda: playerctl("status") == "Paused", what="paused from the desktop")
        playerctl("play-pause")
        wait_for(lambda: playerctl("status") == "Playing", what="playing again")

        # A second start hands its file over and ends; the file is missing.
        missing = self.sandbox.root / "missing.mp4"
        second = self.start(missing)
        self.assertEqual(second.wait(10), 0)
        wait_for(lambda: sway_windows(player.pid)[0][0] == missing.name,
                 what="the title naming the missing file")
        # The line across the middle of the picture, which shows the clip no more.
        line = wait_for(lambda: colour_box(self.shot("failure", (x, y, w, h)), "#FFFFFF"),
                        what="the failure line")
        self.assertIsNone(colour_box(self.shot("failure", (x, y, w, h)), COLOUR))
        self.assertLess(abs(line[1] + line[3] / 2 - h / 2), h / 4)
        self.assertEqual(len(sway_windows(player.pid)), 1)
