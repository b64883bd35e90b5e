"""The open-URL dialog, Save As of a web source and the play modes, driven
through the keyboard and the pop-up menu as a person would."""

import functools
import http.server
import os
import socket
import threading
import time
import unittest
from pathlib import Path

from desktop import playerctl
from harness import (TWIPS, PlayerTest, bright_share, click, dialog_titled, middle_of, pop_up_menu,
                     press, run, video_clip, wait_for, window_titled, windows_of, xprop)


def point(window, left_twips, top_twips):
    """A screen point inside the client area of `window`, given in twips."""
    x, y, _, _ = window.client()
    return x + left_twips // TWIPS, y + top_twips // TWIPS


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(test, folder):
    """A web server of `folder` for the test's length, one that ignores ranges;
    its address."""
    handler = functools.partial(QuietHandler, directory=str(folder))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    test.addCleanup(server.server_close)
    test.addCleanup(server.shutdown)
    return f"http://127.0.0.1:{server.server_address[1]}"


class AddressFailureTest(PlayerTest):
    """Addresses that connect but do not play are named in the picture, the
    same way every time, and a silent server is said to be opening."""

    def test_an_index_at_the_end_from_a_server_that_cannot_seek_is_named_every_time(self):
        # This server ignores ranges: the index at the end is out of reach.
        served = self.sandbox.root / "served"
        served.mkdir()
        (served / "clip.mp4").write_bytes(video_clip(sound=True).read_bytes())
        url = serve(self, served) + "/clip.mp4"
        for attempt in range(3):
            with self.subTest(attempt=attempt):
                player = self.start(url)
                window = player.window()
                wait_for(lambda: bright_share(self.shot("cannot-seek"), middle_of(window.client()))
                         > 0.01, 10, what="the line in the picture")
                wait_for(lambda: window.title() == url, 5, what="the title naming the address")
                time.sleep(0.5)  # a window fitted to a sound would have its size by now
                # Whether the engine decodes a first picture before the read fails is
                # its own race: the window may fit that picture, but never shrinks to
                # the window of a sound.
                self.assertIn(window.client()[2:], [(601, 315), (640, 425)],
                              "no window for a sound")
                self.assertEqual(player.close(), 0)

    def test_a_silent_server_is_said_to_open_and_nothing_plays(self):
        silent = socket.socket()
        silent.bind(("127.0.0.1", 0))
        silent.listen(4)  # connections wait unanswered
        self.addCleanup(silent.close)
        url = f"http://127.0.0.1:{silent.getsockname()[1]}/live.mp4"
        player = self.start(url)
        window = player.window()
        wait_for(lambda: bright_share(self.shot("opening"), middle_of(window.client())) > 0.01, 3,
                 what="正在打开 in the picture")
        self.assertEqual(window.title(), url)
        self.assertEqual(playerctl("status"), "Stopped")
        self.assertEqual(player.close(5), 0, "a close does not wait for the server")


class UrlDialogTest(PlayerTest):
    def open_url_dialog(self, player, window):
        # Through the X server as a keyboard would: an event sent to the window
        # (xdotool's --window) leaves its U for the dialog's field to pick up.
        press(window, "ctrl+u")
        return dialog_titled(player, "打开URL")

    def enter(self, dialog, address):
        """Types the address into the field and clicks 确定."""
        # Keys go to the field once the dialog has the focus and the field is clicked.
        run("xdotool", "windowactivate", "--sync", dialog.id, check=False)
        click(*point(dialog, 360 + 1500, 480 + 150))
        run("xdotool", "type", "--delay", "10", address)
        click(*point(dialog, 2880 + 600, 1080 + 200))

    def closed(self, dialog):
        wait_for(lambda: dialog.title() == "", what="the dialog closed")

    def test_ctrl_u_opens_the_designed_dialog(self):
        player = self.start()
        window = player.window()
        dialog = self.open_url_dialog(player, window)
        self.assertEqual(dialog.client()[2:], (453, 111), "6795 × 1665 twips")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", dialog.states())
        self.assertIn("_NET_WM_STATE_MODAL", dialog.states())
        self.assertIn(hex(int(window.id)), xprop(dialog.id, "WM_TRANSIENT_FOR"))
        # Motif functions: minimise 8 and maximise 16 are not offered, close 32 is.
        functions = int(xprop(dialog.id, "_MOTIF_WM_HINTS").split("=")[1].split(",")[1], 16)
        self.assertEqual(functions & (8 | 16), 0)
        self.assertTrue(functions & 32)
        # Openbox offers minimise all the same; the dialog comes back, with the window it
        # took along. Requests are taken in order: once "above" is set, it was minimised.
        run("xdotool", "windowminimize", dialog.id)
        run("wmctrl", "-i", "-r", dialog.id, "-b", "add,above")
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in dialog.states(), what="the requests taken")
        normal = lambda w: "Normal" in xprop(w.id, "WM_STATE")
        wait_for(lambda: normal(dialog) and normal(window), what="the dialog and the window back")

        run("xdotool", "key", "Escape")
        time.sleep(0.3)  # had Escape closed the dialog, it would be gone by now
        self.assertEqual(dialog.title(), "打开URL", "Escape closed the dialog")
        click(*point(dialog, 4200 + 500, 1080 + 200))  # 取消
        self.closed(dialog)
        self.assertFalse((self.sandbox.playlist / "URL.m3u").exists())
        self.assertEqual(player.close(), 0)

    def test_a_typed_clip_plays_and_is_remembered(self):
        clip = video_clip()
        player = self.start()
        window = player.window()
        dialog = self.open_url_dialog(player, window)
        self.enter(dialog, str(clip))
        wait_for(lambda: window.title() == clip.name, what="the typed clip playing")
        self.closed(dialog)
        history = self.sandbox.playlist / "URL.m3u"
        self.assertEqual(history.read_bytes(), f"{clip}\r\n".encode())

        # The same address again is known: it plays and the history stays as it is.
        dialog = self.open_url_dialog(player, window)
        self.enter(dialog, str(clip))
        self.closed(dialog)
        self.assertEqual(history.read_bytes(), f"{clip}\r\n".encode())
        self.assertEqual(player.close(), 0)

    def test_an_unreadable_history_is_told_in_red_and_kept_while_the_address_plays(self):
        # A folder in the history's place cannot be read as a file, even by root.
        history = self.sandbox.playlist / "URL.m3u"
        (history / "inside").mkdir(parents=True)
        clip = video_clip()
        player = self.start()
        window = player.window()
        dialog = self.open_url_dialog(player, window)
        # The notice's corner, left of 确定: its text is drawn in dark red.
        left, top = point(dialog, 360, 1000)

        def red():
            return float(run("convert", self.shot("unreadable-history"), "-crop",
                             f"160x40+{left}+{top}", "-fuzz", "20%", "-fill", "black", "+opaque",
                             "#b00000", "-fill", "white", "-opaque", "#b00000", "-format",
                             "%[fx:mean]", "info:").stdout)
        wait_for(lambda: red() > 0.02, 5, what="a red notice left of the buttons")

        self.enter(dialog, str(clip))
        wait_for(lambda: window.title() == clip.name, what="the typed clip playing")
        self.closed(dialog)
        self.assertEqual(len(windows_of(player.pid)), 1, "a message box besides the window")
        self.assertTrue((history / "inside").is_dir())
        self.assertEqual(player.close(), 0)


class SaveAsWebSourceTest(PlayerTest):
    """A clip played over HTTP from this machine is a web source: Save As hands
    it to a fake xdg-open that records its arguments."""

    def setUp(self):
        super().setUp()
        # The index goes first, so the clip plays from a server that cannot
        # seek (this one ignores ranges).
        served = self.sandbox.root / "served"
        served.mkdir()
        clip = served / "clip.mp4"
        run("ffmpeg", "-loglevel", "error", "-i", video_clip(), "-c", "copy",
            "-movflags", "+faststart", clip, timeout=120)
        self.url = f"{serve(self, served)}/{clip.name}"
        self.bin = self.sandbox.root / "bin"
        self.bin.mkdir()
        self.record = self.sandbox.root / "xdg-open.args"

    def fake_xdg_open(self, status):
        script = self.bin / "xdg-open"
        script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$#" "$@" > "{self.record}"\nexit {status}\n')
        script.chmod(0o755)

    def save_as(self, url=None):
        url = url or self.url
        player = self.start(url, env=self.sandbox.env(PATH=f"{self.bin}:{os.environ['PATH']}"))
        window = player.window()
        player.wait_trace("first-frame", timeout=30)
        pop_up_menu(player, window, "v")  # 另存为(&V)
        wait_for(self.record.exists, what="xdg-open started")
        self.assertEqual(self.record.read_text(), f"1\n{url}\n", "one argument, the address")
        return player

    def test_a_scheme_in_capitals_plays_and_keeps_its_text(self):
        self.fake_xdg_open(0)
        url = self.url.replace("http://", "Http://")
        player = self.save_as(url)
        self.assertEqual(player.window().title(), url, "the caption of a source without \"http:\"")

    def test_a_handler_that_succeeds_shows_no_message(self):
        self.fake_xdg_open(0)
        player = self.save_as()
        time.sleep(1.5)  # a dialog or a message would be up by now
        self.assertEqual([w.title() for w in windows_of(player.pid)], [player.window().title()],
                         "no save dialog and no message")

    def test_a_handler_that_fails_shows_the_error_message(self):
        self.fake_xdg_open(4)
        player = self.save_as()
        box = window_titled(player, "错误：")
        box.close()


class SaveAsAfterTheEndTest(PlayerTest):
    def test_an_item_that_ended_is_still_saved_whatever_bytes_its_name_holds(self):
        clip = Path(os.fsdecode(os.fsencode(self.sandbox.root) + b"/short\xff.mp3"))  # not UTF-8
        run("ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=1",
            "-c:a", "libmp3lame", clip, timeout=60)
        player = self.start(clip)
        window = player.window()
        wait_for(lambda: window.title().startswith("short"), what="the clip playing")
        wait_for(lambda: playerctl("status") == "Stopped", what="the end")
        pop_up_menu(player, window, "v")  # 另存为(&V)
        dialog = dialog_titled(player, "保存文件")
        copy = self.sandbox.root / "copy.mp3"
        run("xdotool", "key", "ctrl+a")
        run("xdotool", "type", "--delay", "10", str(copy))
        run("xdotool", "key", "Return")
        wait_for(copy.exists, what="the copy")
        self.assertEqual(copy.read_bytes(), clip.read_bytes())
        wait_for(lambda: dialog.title() == "", what="the save dialog closed")


class PlayModesMenuTest(PlayerTest):
    def test_repeat_and_shuffle_are_switched_from_the_menu_and_stored_at_once(self):
        player = self.start(video_clip())
        window = player.window()
        player.wait_trace("first-frame")
        for accelerator, key in (("r", "mReplay"), ("h", "mRnd")):
            # 播放设置(&S), then 重复播放(&R) or 无序播放(&H)
            pop_up_menu(player, window, "s", accelerator)
            wait_for(lambda: self.sandbox.settings.exists() and
                     f"{key}=True\r\n".encode() in self.sandbox.settings.read_bytes(),
                     what=f"{key}=True stored")
            wait_for(lambda: len(windows_of(player.pid)) == 1, what="the menu closed")
        self.assertEqual(self.sandbox.settings.read_bytes(),
                         b"[Option]\r\nmReplay=True\r\nmRnd=True\r\n")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
