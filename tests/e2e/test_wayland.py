"""A desktop without X (with_wayland.sh): the picture, the pop-up menu, the open
dialog, MPRIS, a second start and the failure line."""

from harness import PlayerTest, content_box, pixel_colour, run, still_clip, sway_windows, wait_for


class WaylandTest(PlayerTest):
    def picture(self, player, shows):
        """Waits until the picture (the window above the 65 px bar) shows it."""
        def now():
            for _, (x, y, w, h) in sway_windows(player.pid):
                return shows(self.shot("picture", (x, y, w, h - 65)), w, h - 65)
        return wait_for(now, 15, what=shows.__doc__)

    def playing(self):
        def clip(shot, w, h):
            """the clip's colour from the top of the picture to its bottom"""
            return all(abs(a - b) < 12 for y in (2, h // 2, h - 3)
                       for a, b in zip(pixel_colour(shot, w // 2, y), (230, 60, 170)))
        player = self.start(still_clip("0xE63CAA"))
        self.picture(player, clip)
        return player, sway_windows(player.pid)[0][1]

    def test_the_picture_the_menu_and_the_open_dialog(self):
        player, (x, y, w, h) = self.playing()
        run("swaymsg", "seat", "-", "cursor", "set", x + w // 4, y + h // 4)
        for action in ("press", "release"):
            run("swaymsg", "seat", "-", "cursor", action, "button3")
        # The menu lies right of the pointer: light, over the picture.
        wait_for(lambda: sum(pixel_colour(self.shot("menu"), x + w // 4 + 60, y + h // 4 + 10))
                 > 600, what="the pop-up menu")
        run("wtype", "-k", "Escape", "-M", "ctrl", "o", "-m", "ctrl")
        d = wait_for(lambda: [r for name, r in sway_windows(player.pid) if name == "打开"],
                     what="the open dialog")[0]
        wait_for(lambda: sum(pixel_colour(self.shot("open-dialog"), d[0] + d[2] // 2,
                                          d[1] + d[3] // 2)) > 600, what="the dialog drawn")

    def test_mpris_a_second_start_and_the_failure_line(self):
        player, _ = self.playing()
        for status in ("Paused", "Playing"):
            run("playerctl", "-p", "kelvarino", "play-pause")
            wait_for(lambda: run("playerctl", "-p", "kelvarino", "status").stdout.strip() == status,
                     what=status)
        missing = self.sandbox.root / "missing.mp4"
        self.assertEqual(self.start(missing).wait(10), 0, "the second start hands over and ends")
        wait_for(lambda: sway_windows(player.pid)[0][0] == missing.name, what="the title")

        def line(shot, w, h):
            """one line of text across the middle of a black picture"""
            box = content_box(shot)
            return box and box[3] < 60 and abs(box[1] + box[3] / 2 - h / 2) < 30
        self.picture(player, line)
