"""Opening media, fitting the window to it, resuming a video, the pop-up menu and shutdown."""

import os
import re
import signal
import time
import unittest
from pathlib import Path

from desktop import playerctl, position
from harness import (BAR, PlayerTest, audio_clip, bright_share, click, content_box, dialog_titled,
                     image_difference, middle_of, open_file_dialog, pixel_colour, pop_up_menu,
                     press, run, screen_size, still_clip, video_clip, wait_client_size, wait_for,
                     wait_menu, white_share, windows_of)


class FittingTest(PlayerTest):
    def bar_is_whole(self, window, name):
        """Whether the control bar's right margin looks as its left does: nothing runs off it."""
        x, y, w, h = window.client()
        left, right = (self.shot(f"{name}-{side}", (x + dx, y + h - BAR, 8, BAR))
                       for side, dx in (("left", 1), ("right", w - 9)))
        return image_difference(left, right) == 0

    def test_a_video_fits_each_preset_with_its_control_bar_whole(self):
        wide, small = video_clip(), video_clip(320, 240, seconds=12, sound=True)
        for clip, zoom, client in ((wide, "100%", (640, 425)), (wide, "50%", (320, 245)),
                                   (wide, "200%", (1280, 785)), (small, "50%", (160, 185)),
                                   (small, "100%", (320, 305))):
            with self.subTest(clip=clip.name, zoom=zoom):
                self.sandbox.write_settings(zoom=zoom)
                player = self.start(clip)
                window = player.window()
                wait_client_size(window, client)
                wait_for(window.centred, what="the window centred")
                wait_for(lambda: window.title() == clip.name, what="the caption")
                wait_for(lambda: self.bar_is_whole(window, f"{client[0]}px"),
                         what="nothing running off the control bar")
                self.assertEqual(player.close(), 0)

    def test_an_audio_file_gets_the_compact_window(self):
        self.sandbox.write_settings(zoom="0", move="1200,900,9300,6000")
        clip = audio_clip()
        player = self.start(clip)
        window = player.window()
        wait_for(lambda: window.outer()[2:] == (611, 167), what="the compact size")
        wait_for(window.centred, what="the window centred")
        self.assertEqual(window.title(), clip.name)

    def test_an_audio_item_shows_its_cover_or_its_title_until_a_video_follows(self):
        def picture(window, name, inset=0):
            """The picture area above the control bar, less `inset` all round."""
            x, y, w, h = window.client()
            return self.shot(name, (x + inset, y + inset, w - 2 * inset, h - BAR - 2 * inset))

        blue = "#2080E0"
        player = self.start(audio_clip(name="cover-2080E0.mp3", title="有封面", cover="0x2080E0"))
        window = player.window()
        wait_for(lambda: window.outer()[2:] == (611, 167), what="the compact size")
        player.wait_trace("playback-restart")
        _, _, w, h = window.client()

        def cover_shown():
            centre = pixel_colour(picture(window, "cover"), w // 2, (h - BAR) // 2)
            return all(abs(have - want) <= 24 for have, want in zip(centre, (0x20, 0x80, 0xE0)))
        wait_for(cover_shown, what="the cover's colour in the middle")
        # The cover fills the height, its square in the middle; nothing over it.
        x, y = window.client()[:2]
        side = h - BAR
        square = self.shot("cover-square", (x + (w - side) // 2 + 3, y + 3, side - 6, side - 6))
        self.assertIsNone(content_box(square, background=blue), "no title over the cover")
        self.assertEqual(player.close(), 0)

        player = self.start(audio_clip(name="wanfeng.mp3", title="晚风", artist="测试乐队"))
        window = player.window()
        wait_for(lambda: window.outer()[2:] == (611, 167), what="the compact size")
        player.wait_trace("playback-restart")
        _, _, w, h = window.client()

        def settled():
            """Two lines that can be read, away from the picture area's edges:
            the card as it stands once the window's layout has settled; a
            frame drawn while it settles may show less."""
            box = content_box(picture(window, "title"))
            return box if box and 0 < box[0] and box[0] + box[2] < w and box[3] >= 36 else None
        bx, by, bw, bh = wait_for(settled, what="the title and artist in the picture area")
        self.assertAlmostEqual(bx + bw / 2, w / 2, delta=3, msg="centred across")
        self.assertAlmostEqual(by + bh / 2, (h - BAR) / 2, delta=4, msg="centred from top to bottom")
        self.assertLess(bw, w / 2, "short names take little room")

        # A video opened from a second start takes the picture area whole.
        green = still_clip("0x20C040")
        self.assertEqual(self.start(green).wait(), 0)
        wait_for(lambda: window.title() == green.name, what="the video playing")
        wait_client_size(window, (320, 240 + BAR))
        wait_for(lambda: content_box(picture(window, "video", inset=2), background="#20C040") is None,
                 what="the video alone, no title over it")


def cpu_seconds(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_mb(pid):
    status = Path(f"/proc/{pid}/status").read_text()
    return int(re.search(r"VmRSS:\s+(\d+)", status).group(1)) / 1024


class ListsThatListThemselvesTest(PlayerTest):
    def test_a_list_listing_itself_is_refused_and_the_rest_plays_in_bounds(self):
        lists = self.sandbox.root
        clip = still_clip("0x0000C0", 640, 360)  # no white in it: the line is the white
        (lists / "self.m3u").write_bytes(f"{lists / 'self.m3u'}\r\n".encode())
        (lists / "a.m3u").write_bytes(f"{lists / 'b.m3u'}\r\n{clip}\r\n".encode())
        (lists / "b.m3u").write_bytes(f"{lists / 'a.m3u'}\r\n".encode())
        for name, plays in (("self.m3u", None), ("a.m3u", clip.name)):
            with self.subTest(list=name):
                player = self.start(lists / name)
                window = player.window()
                # Said in the picture (looked at: "…列出了它自己，已跳过这一项"), not in a dialog.
                wait_for(lambda: bright_share(self.shot(name), middle_of(window.client())) > 0.01,
                         what="the refused list named in the picture")
                if plays:
                    wait_for(lambda: window.title() == plays, what="the rest of the list playing")
                cpu, memory = cpu_seconds(player.pid), resident_mb(player.pid)
                time.sleep(3)  # enough for a loop to show on the clock and in memory
                self.assertLess(cpu_seconds(player.pid) - cpu, 1.5, "no core kept busy")
                self.assertLess(resident_mb(player.pid) - memory, 30, "no memory growing")
                self.assertEqual(len(windows_of(player.pid)), 1, "no dialog")
                self.assertEqual(player.close(), 0)


class FailureLineTest(PlayerTest):
    """What cannot be played says so in the picture, in one line, with no
    dialog; the window stays as it is and the list goes on."""

    def test_a_missing_file_and_a_text_file_named_mp4_say_so_in_the_picture(self):
        idle = self.start()
        window = idle.window()
        idle_shot = self.settled_shot("idle", window.client(), content_box,
                                      what="the idle window with its control bar")
        self.assertEqual(idle.close(), 0)

        text = self.sandbox.root / "notes.mp4"
        text.write_text("not a video\n")
        for name, source in (("missing", self.sandbox.root / "gone.mp4"), ("text", text)):
            with self.subTest(name):
                player = self.start(source)
                window = player.window()
                wait_for(lambda: bright_share(self.shot(name), middle_of(window.client())) > 0.01,
                         what="the line in the picture")
                shot = self.shot(name, window.client())
                self.assertGreater(image_difference(shot, idle_shot), 0.002)
                time.sleep(1)  # a dialog or a window fitted to a sound would be up by now
                self.assertEqual(len(windows_of(player.pid)), 1, "no dialog")
                self.assertEqual(window.title(), source.name, "the title names what failed")
                self.assertEqual(window.client()[2:], (601, 315), "no window for a sound")
                if name == "text":
                    # Full screen, from the player's key: the line is still there.
                    press(window, "f")
                    wait_for(lambda: "FULLSCREEN" in window.states(), what="full screen")
                    sw, sh = screen_size()
                    wait_for(lambda: bright_share(self.shot("text-full-screen"),
                                                  (sw // 8, sh // 2 - 60, sw * 3 // 4, 120)) > 0.005,
                             what="the line in the full-screen picture")
                self.assertEqual(player.close(), 0)

    def test_a_bad_list_item_is_named_then_the_next_plays_and_the_line_goes(self):
        blue = still_clip("blue", 640, 360, seconds=8)
        bad = self.sandbox.root / "bad.mp4"
        bad.write_text("not a video\n")
        playlist = self.sandbox.root / "bad-then-good.m3u"
        playlist.write_bytes(f"{bad}\r\n{blue}\r\n".encode())
        player = self.start(playlist)
        window = player.window()
        wait_for(lambda: window.title() == blue.name, 15, what="the good clip playing")
        band = lambda: middle_of(window.client())
        wait_for(lambda: bright_share(self.shot("line-over-clip"), band()) > 0.01, 3,
                 what="the line over the clip that plays")
        wait_for(lambda: bright_share(self.shot("clip-alone"), band()) == 0, 6,
                 what="the line gone")
        self.assertEqual(len(windows_of(player.pid)), 1, "no dialog")

        # A missing file handed over by a second start: the title no longer
        # names the clip that played before.
        gone = self.sandbox.root / "nope.mp4"
        self.assertEqual(self.start(gone).wait(10), 0)
        wait_for(lambda: window.title() == gone.name, 5, what="the title of the missing file")
        wait_for(lambda: bright_share(self.shot("line-handed-over"), band()) > 0.01, 3,
                 what="the line over the last picture")


class CommandLineTest(PlayerTest):
    """What a shell or a file manager hands over: the arguments with their
    quotes already taken away and their file-system bytes."""

    def test_a_name_with_quotes_or_bytes_that_are_not_utf8_plays(self):
        quoted = self.sandbox.root / 'say "hi".mp3'
        quoted.write_bytes(audio_clip().read_bytes())
        player = self.start(quoted.name)  # relative, from the working folder
        window = player.window()
        wait_for(lambda: window.title() == quoted.name, what="the quoted name playing")
        self.assertEqual(player.close(), 0)

        gbk = os.fsencode(self.sandbox.root) + b"/\xb2\xe2\xca\xd4.mp3"  # GBK, not UTF-8
        with open(gbk, "wb") as f:
            f.write(audio_clip().read_bytes())
        player = self.start(gbk)
        player.window()
        player.wait_trace("playback-restart")
        self.assertEqual(player.close(), 0)

    def test_several_files_play_as_the_default_list_without_names_it_cannot_hold(self):
        folder = self.sandbox.root
        for name in ("x.mp3", "a\nb.mp3", "y.mp3"):
            (folder / name).write_bytes(audio_clip().read_bytes())
        player = self.start("x.mp3", "a\nb.mp3", "y.mp3")
        # The warning comes before the window: the list is written at start-up.
        box = player.window()
        self.assertEqual(box.title(), "Kelvarino")
        box.close()
        wait_for(lambda: [w for w in windows_of(player.pid) if w.title() == "x.mp3"], 15,
                 what="the first file playing")
        self.assertEqual((self.sandbox.playlist / "default.m3u").read_bytes(),
                         f"{folder}/x.mp3\r\n{folder}/y.mp3\r\n".encode())


class MenuAndKeysTest(PlayerTest):
    def test_a_right_click_pops_up_the_file_menu(self):
        player = self.start(video_clip())
        window = player.window()
        player.wait_trace("first-frame")
        pop_up_menu(player, window, "Escape")
        wait_for(lambda: len(windows_of(player.pid)) == 1, what="the menu closed by Escape")

    def test_ctrl_o_opens_the_dialog_titled_open_speaking_chinese(self):
        player = self.start()
        dialog = open_file_dialog(player, player.window())
        # Qt's own texts are Chinese whatever the locale (C here): a folder
        # made from the list's menu gets the dialog's Chinese name for it.
        x, y, w, h = dialog.client()
        click(x + w * 6 // 10, y + h * 6 // 10, 3)
        wait_menu(player, 3, "the list's menu")
        run("xdotool", "key", "n")  # 新建文件夹(N)
        made = wait_for(lambda: [p.name for p in self.sandbox.root.iterdir()
                                 if p.is_dir() and p.name not in ("home", "windows", "runtime",
                                                                  "program")],
                        what="a new folder")
        self.assertEqual(made, ["新建文件夹"])
        run("xdotool", "key", "Escape")
        dialog.close()

    def test_several_chosen_files_are_played_through_the_default_list(self):
        folder = self.sandbox.root  # the player's working folder: where the dialog opens
        for name in ("x.mp3", "y.mp3"):
            (folder / name).write_bytes(audio_clip().read_bytes())
        player = self.start()
        window = player.window()
        open_file_dialog(player, window)
        run("xdotool", "type", "--delay", "20", '"x.mp3" "y.mp3"')
        run("xdotool", "key", "Return")
        playlist = self.sandbox.playlist / "default.m3u"
        wait_for(playlist.exists, what="default.m3u")
        self.assertEqual(playlist.read_bytes(),
                         f"{folder}/x.mp3\r\n{folder}/y.mp3\r\n".encode())
        wait_for(lambda: window.title() == "x.mp3", what="the first item playing")


class ShutdownTest(PlayerTest):
    def test_closing_saves_volume_always_and_the_rectangle_in_window_size_mode(self):
        self.sandbox.write_settings(zoom="0", Volume="35")
        player = self.start()
        window = player.window()
        wait_for(window.centred, what="the window in its place")
        outer = window.outer()
        self.assertEqual(player.close(), 0)
        text = self.sandbox.settings.read_bytes().decode()
        self.assertIn("Volume=35\r\n", text)
        move = [int(v) // 15 for v in text.split("move=")[1].split("\r\n")[0].split(",")]
        self.assertEqual(tuple(move), outer)

    def test_closing_in_another_mode_keeps_an_old_rectangle(self):
        self.sandbox.write_settings(zoom="100%", move="1,2,3,4")
        player = self.start()
        player.window()
        self.assertEqual(player.close(), 0)
        self.assertEqual(self.sandbox.settings.read_bytes(),
                         b"[Option]\r\nzoom=100%\r\nmove=1,2,3,4\r\nVolume=50\r\n")

    def test_a_termination_signal_closes_as_the_close_button_does(self):
        # A session that ends sends SIGTERM, also while a dialog is open.
        self.sandbox.write_settings(zoom="0", Volume="35")
        player = self.start()
        open_file_dialog(player, player.window())
        player.process.send_signal(signal.SIGTERM)
        self.assertEqual(player.wait(10), 0)
        text = self.sandbox.settings.read_bytes().decode()
        self.assertIn("Volume=35\r\n", text)
        self.assertIn("move=", text)


class ResumeTest(PlayerTest):
    """A video left before its end starts there the next time, whichever way
    it comes in; Home starts over, and playing to the end forgets."""

    def resume_store(self):
        path = self.sandbox.home / ".local/state/Kelvarino/positions"
        return path.read_bytes() if path.exists() else b""

    def seek_and_wait(self, seconds):
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        playerctl("position", str(seconds))
        wait_for(lambda: seconds <= position() < seconds + 5, 10, what=f"at {seconds} s")

    def test_a_six_minute_video_resumes_where_it_was_left(self):
        clip = video_clip(480, 270, seconds=360, rate=2)  # made in seconds, big enough to read the note
        key = os.fsencode(clip)

        player = self.start(clip)
        player.window()
        self.seek_and_wait(200)
        self.assertEqual(player.close(), 0)
        self.assertRegex(self.resume_store(), rb"^20\d\.\d{3}\t" + re.escape(key) + rb"\n$")

        # The command line: back at 3:20, and the note says so.
        player = self.start(clip)
        window = player.window()
        wait_for(lambda: 200 <= position() < 205, 15, what="resumed at 3:20")
        x, y, w, _ = window.client()
        wait_for(lambda: white_share(self.shot("resumed-note"), (x, y, w // 2, 60)) > 0.002, 3,
                 what="the note at the top left")
        press(window, "Home")
        wait_for(lambda: 0 <= position() < 5, 5, what="started over")

        # Another item replaces it: left at 4:00. A second start that hands
        # the clip to this window resumes it there.
        self.seek_and_wait(240)
        self.start(audio_clip(seconds=10)).wait(10)
        wait_for(lambda: re.search(rb"^24\d\.\d{3}\t" + re.escape(key) + rb"\n", self.resume_store()),
                 10, what="the position kept when the next item came")
        self.start(clip).wait(10)
        wait_for(lambda: 240 <= position() < 245, 15, what="resumed from a second start")

        # The desktop's media widgets open it by its file URL: the same item.
        self.seek_and_wait(280)
        playerctl("open", audio_clip(seconds=10).as_uri())
        wait_for(lambda: re.search(rb"^28\d\.\d{3}\t" + re.escape(key) + rb"\n", self.resume_store()),
                 10, what="the position kept when the desktop opened another item")
        playerctl("open", clip.as_uri())
        wait_for(lambda: 280 <= position() < 285, 15, what="resumed from Open URI")

        # Played to its end, it is forgotten, and opens at the beginning.
        playerctl("position", "357")
        wait_for(lambda: playerctl("status") == "Stopped", 15, what="the end")
        self.assertNotIn(key, self.resume_store())
        self.assertEqual(player.close(), 0)
        player = self.start(clip)
        player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        time.sleep(1)  # a resume that came late would have moved it by now
        self.assertLess(position(), 3)
        self.assertEqual(player.close(), 0)

    def test_two_windows_keep_each_other_s_positions(self):
        self.sandbox.write_settings(mRun="True")
        clips = video_clip(480, 270, seconds=360, rate=2), video_clip(480, 270, seconds=361, rate=2)
        first = self.start(clips[0])
        first.window()
        self.seek_and_wait(200)
        second = self.start(clips[1])
        second.window()
        name = f"kelvarino.instance{second.pid}"
        wait_for(lambda: playerctl("status", player=name) == "Playing", 15,
                 what="the second window playing")
        playerctl("position", "250", player=name)
        wait_for(lambda: position(name) >= 250, 10, what="the second window at 250 s")
        self.assertEqual((first.close(), second.close()), (0, 0))
        self.assertRegex(self.resume_store(), rb"^25\d\.\d{3}\t" + re.escape(os.fsencode(clips[1]))
                         + rb"\n20\d\.\d{3}\t" + re.escape(os.fsencode(clips[0])) + rb"\n$")

    def test_a_pipe_in_the_store_s_place_holds_nothing_up(self):
        store = self.sandbox.home / ".local/state/Kelvarino/positions"
        store.parent.mkdir(parents=True)
        os.mkfifo(store)
        clip = video_clip()
        player = self.start(clip)
        window = player.window()
        wait_for(lambda: window.title() == clip.name, 15, what="the clip playing")
        self.assertEqual(player.close(), 0)

    def test_a_crash_loses_at_most_half_a_minute(self):
        clip = video_clip(480, 270, seconds=360, rate=2)
        player = self.start(clip)
        player.window()
        self.seek_and_wait(200)
        kept = wait_for(lambda: re.search(rb"^(\d+)\.\d{3}\t", self.resume_store()), 35,
                        what="the position kept while playing")
        self.assertGreaterEqual(int(kept.group(1)), 200)
        player.process.kill()  # no close, no exit: what a crash leaves
        player.wait(5)
        player = self.start(clip)
        player.window()
        wait_for(lambda: 200 <= position() < 240, 15, what="resumed after the crash")
        self.assertEqual(player.close(), 0)


def srt(*lines):
    """Subtitle text: each line a cue of an hour. The clips are shorter: only
    the first is shown, the others are there as a film's further lines are."""
    return "".join(f"{i + 1}\r\n{i:02}:00:00,000 --> {i + 1:02}:00:00,000\r\n{line}\r\n\r\n"
                   for i, line in enumerate(lines))


def subtitled_still(target, *extra):
    """A still picture, so that only subtitles and notes change the screen."""
    run("ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
        "color=c=0x203040:size=640x360:rate=25:duration=120", *extra, "-c:v", "libx264",
        "-preset", "veryfast", "-pix_fmt", "yuv420p", target, timeout=120)
    return target


# The track buttons sit left of the mute button and the volume slider, whose
# widths are fixed: their centres are this far left of the client's right edge.
AUDIO_BUTTON_FROM_RIGHT, SUBTITLE_BUTTON_FROM_RIGHT = 188, 155


def has_text(shot):
    """Whether white text (a subtitle, a note) shows over the dark still picture."""
    return bright_share(shot) > 0.002


def differs(shot, other):
    return image_difference(shot, other) > 0.005


def same(shot, other):
    return image_difference(shot, other) < 0.001


class TracksAndSubtitlesTest(PlayerTest):
    def subtitle_area(self, window):
        """The picture's lower third, where subtitles are drawn."""
        x, y, w, h = window.client()
        picture = h - BAR
        return (x, y + picture * 2 // 3, w, picture // 3)

    def note_area(self, window):
        x, y, w, h = window.client()
        return (x, y, w // 2, 60)

    def click_bar_button(self, player, window, from_right, what):
        """Clicks a button of the control bar and waits for the menu it opens."""
        x, y, w, h = window.client()
        click(x + w - from_right, y + h - 25)
        wait_menu(player, 2, what)

    def playing(self, *args):
        player = self.start(*args)
        window = player.window()
        player.wait_trace("first-frame")
        # A left click on the picture gives the player the keys.
        x, y, w, h = window.client()
        click(x + w // 2, y + h // 3)
        return player, window

    def two_of_each(self):
        """An mkv with a Chinese and an English audio track and subtitle track, in that order."""
        folder = self.sandbox.root / "media"
        folder.mkdir()
        (folder / "zh.srt").write_text(srt("第一条字幕：中文"), encoding="utf-8")
        (folder / "en.srt").write_text(srt("THE SECOND TRACK, IN ENGLISH"), encoding="utf-8")
        return subtitled_still(
            folder / "two-of-each.mkv",
            "-f", "lavfi", "-i", "sine=frequency=440:duration=120",
            "-f", "lavfi", "-i", "sine=frequency=880:duration=120",
            "-i", folder / "zh.srt", "-i", folder / "en.srt",
            "-map", "0:v", "-map", "1:a", "-map", "2:a", "-map", "3:s", "-map", "4:s",
            "-c:a", "aac", "-c:s", "srt",
            "-metadata:s:a:0", "language=chi", "-metadata:s:a:1", "language=eng",
            "-metadata:s:s:0", "language=chi", "-metadata:s:s:1", "language=eng")

    def test_keys_and_the_bar_s_menus_choose_audio_and_subtitle_tracks(self):
        clip = self.two_of_each()
        folder = clip.parent
        player, window = self.playing(clip)
        area = self.subtitle_area(window)
        first = self.settled_shot("first-subtitle", area, has_text, what="the first subtitle")

        run("xdotool", "key", "j")
        second = self.settled_shot("second-subtitle", area,
                                   lambda shot: has_text(shot) and differs(shot, first),
                                   what="j showing the other subtitle")
        run("xdotool", "key", "j")
        off = self.settled_shot("no-subtitle", area,
                                lambda shot: not has_text(shot) and differs(shot, second),
                                what="then none")
        run("xdotool", "key", "j")
        self.settled_shot("first-again", area, lambda shot: same(shot, first),
                          what="then the first again")

        # The subtitle button opens its menu; the second entry is the English track.
        self.click_bar_button(player, window, SUBTITLE_BUTTON_FROM_RIGHT, "the subtitle menu")
        run("xdotool", "key", "Down", "Down", "Return")
        self.settled_shot("chosen-from-menu", area, lambda shot: same(shot, second),
                          what="the menu choosing the English track")

        # v hides the subtitles and shows them again.
        run("xdotool", "key", "v")
        self.settled_shot("hidden", area, lambda shot: same(shot, off), what="v hiding them")
        run("xdotool", "key", "v")
        self.settled_shot("shown", area, lambda shot: same(shot, second), what="v showing them")

        # # goes to the other audio track and says which it is.
        notes = self.note_area(window)
        quiet = self.settled_shot("before-audio-key", notes, lambda shot: not has_text(shot),
                                  what="the last note gone")
        run("xdotool", "key", "numbersign")
        self.settled_shot("audio-note", notes, lambda shot: differs(shot, quiet),
                          what="a note naming the new track")
        self.click_bar_button(player, window, AUDIO_BUTTON_FROM_RIGHT, "the audio menu")
        run("xdotool", "key", "Escape")

        # 加载字幕文件… asks for a file in the media's folder and shows it.
        # One short GBK cue: read as the files beside the media are.
        (folder / "extra.srt").write_text(srt("外挂字幕：第三条"), encoding="gbk")
        self.click_bar_button(player, window, SUBTITLE_BUTTON_FROM_RIGHT, "the subtitle menu")
        run("xdotool", "key", "Up", "Return")
        dialog = dialog_titled(player, "加载字幕文件")
        # End, as a click into the name field would, keeps any name already there.
        run("xdotool", "key", "End")
        run("xdotool", "type", "--delay", "20", "extra.srt")
        run("xdotool", "key", "Return")
        wait_for(lambda: dialog.id not in [d.id for d in windows_of(player.pid)],
                 what="the dialog closed")
        self.settled_shot("loaded-file", area,
                          lambda shot: has_text(shot) and all(differs(shot, other)
                                                              for other in (first, second, off)),
                          what="the file's own subtitle")
        self.assertEqual(player.close(), 0)

    def test_the_chosen_subtitle_track_and_delay_come_back_with_the_file(self):
        clip = self.two_of_each()
        store = self.sandbox.home / ".local/state/Kelvarino/positions"
        choices = lambda: re.search(rb"\t" + re.escape(os.fsencode(clip)) + rb"\t(.*)\n",
                                    store.read_bytes() if store.exists() else b"")
        player, window = self.playing(clip)
        area = self.subtitle_area(window)
        first = self.settled_shot("first", area, has_text, what="the Chinese subtitle")
        run("xdotool", "key", "j", "x", "x", "x")
        second = self.settled_shot("second", area,
                                   lambda shot: has_text(shot) and differs(shot, first),
                                   what="j showing the English subtitle")
        self.assertEqual(player.close(), 0)
        self.assertEqual(choices().group(1), b"sub=2 delay=0.300")

        # Opened again: the English track, and its cue from 0:00 shows 0.3 s late, so that
        # at 0.1 s nothing shows until z three times brings the delay to nought.
        player, window = self.playing(clip)
        self.settled_shot("second-again", area, lambda shot: same(shot, second),
                          what="the English subtitle back")
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        playerctl("position", "0.1")
        self.settled_shot("delayed", area, lambda shot: not has_text(shot),
                          what="no subtitle at 0.1 s, 0.3 s before the delayed cue")
        run("xdotool", "key", "z", "z", "z")
        self.settled_shot("on-time", area, lambda shot: same(shot, second),
                          what="the cue at 0.1 s once the delay is nought")
        self.assertEqual(player.close(), 0)
        self.assertEqual(choices().group(1), b"sub=2 delay=0.000")

    def test_chinese_subtitle_files_beside_the_media_load_and_read_right(self):
        simplified = ["这是简体中文字幕，编码为国标。", "第二句：我们明天见。", "第三句：谢谢你的帮助。"]
        traditional = ["這是繁體中文字幕，編碼為大五碼。", "第二句：我們明天見。", "第三句：謝謝你的幫助。"]
        one_cue = ["简体字幕"]  # too short for the core's detection to read GBK right
        others = {"ep10.srt": "第十集", "ep11.srt": "第十一集"}  # other episodes' own
        clip = subtitled_still(self.sandbox.root / "still.mp4")
        # Names that start with the media's: exactly its own, and one with more after it.
        cases = (("电影.mp4", "电影.srt", "gb18030", simplified, {}),
                 ("電影.mp4", "電影_繁體.srt", "big5", traditional, {}),
                 ("电影.mp4", "电影.srt", "utf-8", simplified, {}),
                 ("電影.mp4", "電影_繁體.srt", "utf-8", traditional, {}),
                 ("ep1.mp4", "ep1.chs.srt", "gbk", one_cue, others),
                 ("ep1.mp4", "ep1.srt", "utf-8", one_cue, {}),
                 ("ep1.mp4", None, None, None, others))
        shots = {}
        for number, (name, subtitle, encoding, lines, beside) in enumerate(cases):
            with self.subTest(subtitle=subtitle, encoding=encoding, beside=list(beside)):
                folder = self.sandbox.root / f"{number}-{encoding}"
                folder.mkdir()
                media = folder / name
                media.write_bytes(clip.read_bytes())
                if subtitle:
                    (folder / subtitle).write_bytes(srt(*lines).encode(encoding))
                for other, line in beside.items():
                    (folder / other).write_text(srt(line), encoding="utf-8")
                player, window = self.playing(media)
                try:
                    area, label = self.subtitle_area(window), f"{number}-{encoding}"
                    if subtitle:
                        shown = self.settled_shot(label, area, has_text, what="the subtitle")
                        run("xdotool", "key", "v")
                        self.settled_shot(f"{label}-hidden", area,
                                          lambda shot: differs(shot, shown),
                                          what="v hiding the subtitle")
                        shots[(encoding, subtitle)] = shown
                    else:
                        time.sleep(0.8)  # a file that loaded by mistake would show by now
                        self.assertFalse(has_text(self.shot(label, area)), "none shown")
                finally:
                    self.assertEqual(player.close(), 0)
        # Read from GB18030, GBK and Big5 the lines look as they do from UTF-8.
        self.assertLess(image_difference(shots[("gb18030", "电影.srt")], shots[("utf-8", "电影.srt")]),
                        0.001)
        self.assertLess(image_difference(shots[("big5", "電影_繁體.srt")],
                                         shots[("utf-8", "電影_繁體.srt")]), 0.001)
        self.assertLess(image_difference(shots[("gbk", "ep1.chs.srt")],
                                         shots[("utf-8", "ep1.srt")]), 0.001)


if __name__ == "__main__":
    unittest.main()
