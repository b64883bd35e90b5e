"""Files and folders dragged from another program and dropped on the player:
on the picture, on the control bar and on the picture in full screen. The drag
is a real XDND drag from a separate process, driven by the pointer."""

import os
import shutil
import subprocess
import threading
import time
import unittest

from harness import BAR, BUILD_DIR, PlayerTest, run, screen_size, video_clip, wait_for

DRAG_SOURCE = os.environ.get("KELVARINO_DRAG_SOURCE",
                             str(BUILD_DIR / "kelvarino_drag_source"))
SOURCE_AT = (20, 20)  # the drag source's square, 100 × 100 pixels
GRIP = (SOURCE_AT[0] + 50, SOURCE_AT[1] + 50)


def drag(paths, to):
    """Presses on the drag source, moves the pointer to `to` in steps and
    releases it there once the player takes the drag. True when it took the drop."""
    source = subprocess.Popen([DRAG_SOURCE, "{},{}".format(*SOURCE_AT), *map(os.fsencode, paths)],
                              stdout=subprocess.PIPE, text=True)
    said = []

    def listen():
        for line in source.stdout:
            said.append(line.strip())

    def taken():
        answers = [line for line in said if line.startswith("over ")]
        return answers and answers[-1] != "over 0"

    threading.Thread(target=listen, daemon=True).start()
    try:
        wait_for(lambda: "ready" in said, what="the drag source")
        run("xdotool", "mousemove", *GRIP, "mousedown", "1")
        for step in range(1, 11):
            run("xdotool", "mousemove", GRIP[0] + (to[0] - GRIP[0]) * step // 10,
                GRIP[1] + (to[1] - GRIP[1]) * step // 10)
            time.sleep(0.05)  # a hand's pace: the player sees the pointer on its way
        run("xdotool", "mousemove", to[0] + 1, to[1])
        wait_for(taken, what="the player taking the drag")
        run("xdotool", "mouseup", "1")
        return source.wait(10) == 0
    finally:
        if source.poll() is None:
            source.kill()
            source.wait()


class DropTest(PlayerTest):
    def test_a_drop_anywhere_on_the_window_plays(self):
        clip = video_clip()
        folder = self.sandbox.root / "folder"
        folder.mkdir()
        for name in ("b.mp4", "a.MP4", "notes.txt"):
            shutil.copy(clip, folder / name)
        first, second = self.sandbox.root / "first.mp4", self.sandbox.root / "second.mp4"
        shutil.copy(clip, first)
        shutil.copy(clip, second)
        default = self.sandbox.playlist / "default.m3u"
        # The window keeps its size while videos play: the points stay put.
        self.sandbox.write_settings(zoom="0")
        player = self.start()
        window = player.window()
        wait_for(window.centred, what="the window in its place")
        x, y, w, h = window.client()

        with self.subTest("one file on the picture"):
            self.assertTrue(drag([clip], (x + w // 2, y + (h - BAR) // 2)),
                            "the picture refused the drop")
            wait_for(lambda: window.title() == clip.name, what="the dropped file playing")
            self.assertFalse(default.exists(), "a single file is played directly")

        with self.subTest("a folder on the control bar"):
            self.assertTrue(drag([folder], (x + w // 3, y + h - BAR // 2)),
                            "the bar refused the drop")
            wait_for(lambda: window.title() == "a.MP4", what="the folder's first file playing")
            self.assertEqual(default.read_bytes(),
                             f"{folder}/a.MP4\r\n{folder}/b.mp4\r\n".encode())

        with self.subTest("a folder whose names are not UTF-8"):
            gbk = os.fsencode(self.sandbox.root) + b"/\xb2\xe2\xca\xd4"  # GBK
            os.mkdir(gbk)
            shutil.copy(clip, gbk + b"/\xca\xd3.mp4")
            self.assertTrue(drag([gbk], (x + w // 2, y + (h - BAR) // 2)))
            wait_for(lambda: default.read_bytes() == gbk + b"/\xca\xd3.mp4\r\n",
                     what="the folder listed by its bytes")
            wait_for(lambda: window.title() != "a.MP4", what="the file playing")

        with self.subTest("several files on the picture in full screen"):
            run("xdotool", "mousemove", x + w // 2, y + h // 3, "click", "--repeat", "2",
                "--delay", "80", "1")
            wait_for(lambda: "_NET_WM_STATE_FULLSCREEN" in window.states(), what="full screen")
            wait_for(lambda: window.client() == (0, 0, *screen_size()), what="the whole screen")
            fx, fy, fw, fh = window.client()
            self.assertTrue(drag([first, second], (fx + fw // 2, fy + fh // 2)),
                            "the full screen picture refused the drop")
            wait_for(lambda: window.title() == first.name, what="the dropped list playing")
            self.assertEqual(default.read_bytes(), f"{first}\r\n{second}\r\n".encode())
            self.assertIn("_NET_WM_STATE_FULLSCREEN", window.states())

        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
