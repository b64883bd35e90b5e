"""Media keys and the desktop's media widgets: playerctl drives a playing
player over the session bus, and the window reacts as to its own controls."""

import itertools
import re
import time
from urllib.parse import unquote, urlparse

from desktop import Dock, playerctl, position
from harness import (BAR, COLOURS, MEDIA_DIR, PlayerTest, _generate, audio_clip, bright_share,
                     click, colour_clip, colour_share, image_difference, pixel_colour, press, run,
                     segment_shown, still_clip, video_clip, wait_client_size, wait_for,
                     white_share, windows_of)

SERVICE = "org.mpris.MediaPlayer2.kelvarino"


def player_property(name, value=None, check=True):
    """A property of the player interface read, or set, as a desktop widget
    does: a number, True or False, or with check=False what gdbus said."""
    method = "Get" if value is None else "Set"
    args = ["org.mpris.MediaPlayer2.Player", name] + ([f"<{value}>"] if value is not None else [])
    done = run("gdbus", "call", "--session", "--dest", SERVICE, "--object-path",
               "/org/mpris/MediaPlayer2", "--method", f"org.freedesktop.DBus.Properties.{method}",
               *args, check=check)
    if not check:
        return done.stdout + done.stderr
    number = re.search(r"<([-\d.e]+)>", done.stdout)
    flag = re.search(r"<(true|false)>", done.stdout)
    return float(number.group(1)) if number else (flag.group(1) == "true" if flag else None)


def rate_is(expected):
    return lambda: abs(player_property("Rate") - expected) < 1e-6


class MediaKeysTest(PlayerTest):
    def test_playerctl_reads_and_drives_a_two_item_list(self):
        video = video_clip(seconds=10)
        audio = audio_clip(name="cover-E02020-album.mp3", cover="0xE02020", album="Test Album")
        playlist = self.sandbox.root / "two.m3u"
        playlist.write_bytes(f"{video}\r\n{audio}\r\n".encode())
        dock = Dock(self.sandbox.root)
        self.addCleanup(dock.close)
        self.sandbox.write_settings(mTop="True", mReplay="True")
        player = self.start(playlist)
        window = player.window()
        wait_for(lambda: window.title() == video.name and "_NET_WM_STATE_ABOVE" in window.states(),
                 15, what="the video playing on top")

        self.assertIn("kelvarino", run("playerctl", "-l").stdout.split())
        self.assertEqual(playerctl("status"), "Playing")
        self.assertEqual(playerctl("metadata", "title"), video.name, "an untagged file by its name")
        self.assertEqual(playerctl("metadata", "xesam:url"), video.as_uri())

        # A pause from outside is a pause: off the top band, the dock's bar
        # frozen, the caption kept.
        wait_for(lambda: any(u[2] for u in dock.updates()), 5, what="the dock's bar")
        playerctl("play-pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="Paused")
        wait_for(lambda: "_NET_WM_STATE_ABOVE" not in window.states(), 5, what="the band cleared")
        time.sleep(0.7)  # a tick already under way may still land
        frozen = dock.updates()
        time.sleep(1.2)  # two ticks' time, in which nothing may come
        self.assertEqual(dock.updates(), frozen, "no progress while paused")
        self.assertEqual(window.title(), video.name)

        playerctl("play-pause")
        wait_for(lambda: playerctl("status") == "Playing", 5, what="Playing again")
        playerctl("next")
        wait_for(lambda: window.title() == audio.name, 10, what="the second item's caption")
        wait_for(lambda: playerctl("metadata", "title") == "Test Title", 5, what="its title tag")
        self.assertEqual(playerctl("metadata", "artist"), "Test Artist")
        self.assertEqual(playerctl("metadata", "album"), "Test Album")
        self.assertTrue(player_property("CanGoNext"), "the last item, but repeat goes round")
        # Its cover art, saved once for the desktop's widgets.
        art = wait_for(lambda: playerctl("metadata", "mpris:artUrl"), 10, what="the cover")
        picture = unquote(urlparse(art).path)
        self.assertTrue(picture.startswith(f"{self.sandbox.home}/.cache/Kelvarino/covers/"))
        for have, want in zip(pixel_colour(picture, 150, 150), (0xE0, 0x20, 0x20)):
            self.assertAlmostEqual(have, want, delta=8)

        # Play after Stop starts the item that was stopped, not the list's first.
        playerctl("stop")
        wait_for(lambda: playerctl("status") == "Stopped", 5, what="Stopped")
        playerctl("play")
        wait_for(lambda: playerctl("status") == "Playing", 5, what="Playing after the stop")
        self.assertEqual(playerctl("metadata", "title"), "Test Title")
        self.assertEqual(window.title(), audio.name)

        # Open URI takes a file whose name holds double quotes as it is.
        quoted = self.sandbox.root / 'say "hi".mp3'
        quoted.write_bytes(audio.read_bytes())
        playerctl("open", quoted.as_uri())
        wait_for(lambda: window.title() == quoted.name, 10, what="the quoted name playing")

        # Repeat and shuffle from the desktop run the menu's own commands: the
        # setting is written at once and the check mark follows.
        self.assertEqual(playerctl("loop"), "Playlist")
        playerctl("loop", "None")
        wait_for(lambda: b"mReplay=False" in self.sandbox.settings.read_bytes(), 5,
                 what='"mReplay"="False"')
        self.assertEqual(playerctl("loop"), "None")
        self.assertFalse(player_property("CanGoNext") or player_property("CanGoPrevious"),
                         "a single file without repeat")
        # A LoopStatus without a meaning is refused and changes nothing.
        self.assertIn("org.freedesktop.DBus.Error.InvalidArgs",
                      player_property("LoopStatus", "'garbage'", check=False))
        self.assertEqual(playerctl("loop"), "None")
        self.assertIn(b"mReplay=False", self.sandbox.settings.read_bytes())
        self.assertEqual(playerctl("shuffle"), "Off")
        playerctl("shuffle", "On")
        wait_for(lambda: b"mRnd=True" in self.sandbox.settings.read_bytes(), 5, what='"mRnd"="True"')
        self.assertEqual(playerctl("shuffle"), "On")

        # The wheel over the picture turns the volume 5 a notch, as the Up and
        # Down keys do; the media widgets see it.
        volume = float(playerctl("volume"))
        x, y, w, h = window.client()
        click(x + w // 2, y + h // 3, 4)
        wait_for(lambda: abs(float(playerctl("volume")) - (volume + 0.05)) < 0.001, 5,
                 what="the volume up a notch")
        # The note says so, readable over the low picture of an audio item.
        wait_for(lambda: bright_share(self.shot("wheel-note"), (x, y, 200, 60)) > 0.01, 3,
                 what="the volume note")
        run("xdotool", "click", "--repeat", "2", "5")
        wait_for(lambda: abs(float(playerctl("volume")) - (volume - 0.05)) < 0.001, 5,
                 what="the volume down two notches")

        # Quit closes the window as its close button does: the volume is saved.
        playerctl("volume", "0.3")
        run("dbus-send", "--session", "--print-reply", f"--dest={SERVICE}",
            "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Quit")
        self.assertEqual(player.wait(10), 0)
        self.assertIn(b"Volume=30\r\n", self.sandbox.settings.read_bytes())

    def test_the_players_keys_work_wherever_the_window_has_the_focus(self):
        player = self.start(video_clip(seconds=30))
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        self.assertEqual(player_property("MinimumRate"), 0.25)
        self.assertEqual(player_property("MaximumRate"), 4.0)
        x, y, w, h = window.client()

        def note_shown(name):
            """White text at the top left, where the test picture has none."""
            wait_for(lambda: white_share(self.shot(name), (x, y, 200, 60)) > 0.002, 5,
                     what=f"the note of {name}")

        # ] and [ step the speed by a tenth; the desktop sees the rate and a note says it.
        press(window, "bracketright", "bracketright")
        wait_for(rate_is(1.2), 5, what="the rate at 1.2")
        note_shown("speed")
        run("xdotool", "key", "bracketleft")
        wait_for(rate_is(1.1), 5, what="the rate at 1.1")

        # Shift and an arrow is a second, an arrow alone five.
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        start = position()
        run("xdotool", "key", "shift+Right")
        wait_for(lambda: abs(position() - (start + 1)) < 0.3, 5, what="a second on")
        run("xdotool", "key", "Right")
        wait_for(lambda: abs(position() - (start + 6)) < 0.3, 5, what="five seconds on")
        note_shown("seek")
        run("xdotool", "key", "shift+Left")
        wait_for(lambda: abs(position() - (start + 5)) < 0.3, 5, what="a second back")

        # After a click on the control bar (beside its buttons, where it
        # does nothing) the keys still reach the player.
        click(x + w // 2, y + h - 20)
        run("xdotool", "key", "BackSpace")
        wait_for(rate_is(1.0), 5, what="normal speed after a click on the bar")

        # Activated by the window manager, nothing in it focused by a click.
        run("wmctrl", "-ia", window.id)
        run("xdotool", "key", "bracketright")
        wait_for(rate_is(1.1), 5, what="the rate at 1.1 after activation")

        # Full screen by the player's key, and the keys still work there.
        run("xdotool", "key", "f")
        wait_for(lambda: "FULLSCREEN" in window.states(), 5, what="full screen")
        run("xdotool", "key", "bracketright")
        wait_for(rate_is(1.2), 5, what="the rate at 1.2 in full screen")
        run("xdotool", "key", "Escape")
        wait_for(lambda: "FULLSCREEN" not in window.states(), 5, what="full screen left")

        # The desktop sets the speed too, and the clip plays at it.
        player_property("Rate", 2.0)
        wait_for(rate_is(2.0), 5, what="the rate the desktop set")
        playerctl("play")
        wait_for(lambda: playerctl("status") == "Playing", 5, what="playing again")
        before, t0 = position(), time.monotonic()
        time.sleep(1.5)  # playback at that speed for a while
        advanced = (position() - before) / (time.monotonic() - t0)
        self.assertAlmostEqual(advanced, 2.0, delta=0.4)

        # Ctrl+U is still the window's: the open-URL dialog comes.
        run("xdotool", "key", "ctrl+u")
        wait_for(lambda: len(windows_of(player.pid)) == 2, 5, what="the open-URL dialog")
        run("xdotool", "key", "Escape")

    def test_the_bar_marks_chapters_that_page_keys_reach_and_its_handle_drags_the_picture(self):
        player = self.start(colour_clip())
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        x, y, w, h = window.client()
        centre = (x + w // 2, y + (h - BAR) // 2)

        def segment(name):
            return segment_shown(pixel_colour(self.shot(name), *centre))

        # The seek slider spans the bar within 10 px margins, its 12 px handle's
        # centre going from end to end; a chapter's mark is a light tick on it.
        groove_y = y + h - BAR + 14

        def x_at(seconds):
            return x + 16 + round(seconds / 30 * (w - 32))
        bar = self.shot("chapter-marks")
        for at in (10, 20):
            self.assertGreater(white_share(bar, (x_at(at) - 2, groove_y - 3, 5, 6)), 0.1,
                               f"a mark at {at} s")
        self.assertEqual(white_share(bar, (x_at(15) - 2, groove_y - 3, 5, 6)), 0, "none between")

        # PgDn goes to the next chapter's start and names it; PgUp moments
        # later goes back a chapter.
        playerctl("position", "3")
        wait_for(lambda: 2.9 < position() < 4, 5, what="at 3 s")
        run("xdotool", "key", "Next")
        wait_for(lambda: abs(position() - 10) < 0.2 and segment("page-down") == 1, 5,
                 what="the second chapter's colour at its start")
        wait_for(lambda: white_share(self.shot("chapter-note"), (x, y, 200, 60)) > 0.002, 5,
                 what="the chapter's note")
        run("xdotool", "key", "Prior")
        wait_for(lambda: position() < 0.5 and segment("page-up") == 0, 5, what="back to the first")

        # The pointer resting on the bar shows the picture at that time above
        # it, inside the window; leaving the bar hides it.
        above = (x, y + h - BAR - 200, w, 196)
        run("xdotool", "key", "Next")
        wait_for(lambda: segment("second-chapter") == 1, 5, what="the second chapter")
        for at, colour in ((7.5, COLOURS[0]), (22.5, COLOURS[2])):
            run("xdotool", "mousemove", x_at(at), groove_y)
            wait_for(lambda: colour_share(self.shot(f"preview-{at}"), colour, above) > 0.15, 5,
                     what=f"the preview of {at} s")
        run("xdotool", "mousemove", x + w // 2, y + (h - BAR) // 2)
        wait_for(lambda: colour_share(self.shot("preview-gone"), COLOURS[2], above) == 0, 5,
                 what="the preview gone")

        # The handle dragged with the button held moves the picture before it
        # is let go; letting go leaves it there.
        run("xdotool", "mousemove", x_at(0), groove_y, "mousedown", "1")
        for step in range(1, 9):
            run("xdotool", "mousemove", x_at(step * 3), groove_y)
        wait_for(lambda: segment("dragging") == 2, 5, what="the third colour while dragging")
        run("xdotool", "mouseup", "1")
        wait_for(lambda: 23 < position() < 25, 5, what="at 24 s once let go")

    def test_the_preview_of_an_hdr_video_is_tone_mapped_as_the_picture_is(self):
        # A green at 100 nits in PQ: untouched in SDR it shows washed out.
        clip = _generate("hdr-green.mkv", "-f", "lavfi", "-i", "color=c=0x20C040:s=640x360:d=12",
                         "-vf", "zscale=tin=bt709:min=bt709:pin=bt709:t=smpte2084:m=bt2020nc"
                         ":p=bt2020:npl=100,format=yuv420p10le", "-c:v", "libx265", "-x265-params",
                         "log-level=error", "-color_trc", "smpte2084", "-colorspace", "bt2020nc")
        window = self.start(clip).window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        x, y, w, h = window.client()
        picture = pixel_colour(self.shot("hdr-picture"), x + w // 4, y + 20)
        run("xdotool", "mousemove", x + w // 2, y + h - BAR + 14)
        wait_for(lambda: white_share(self.shot("hdr-hover"), (x + w // 2 - 40, y + h - BAR - 22, 80,
                                                              18)) > 0, 10, what="the preview")
        wait_for(lambda: all(abs(a - b) <= 40 for a, b in zip(picture, pixel_colour(
            self.shot("hdr-preview"), x + w // 2, y + h - BAR - 65))), 10, interval=0.3,
            what=f"the preview in the picture's colour {picture}")

    def test_ten_thousand_hostile_chapter_titles_and_a_file_gone_leave_the_bar_usable(self):
        # 120 s whose keyframes are 60 s apart, a chapter every 12 ms, titled
        # with control characters, a line break and a direction override.
        MEDIA_DIR.mkdir(parents=True, exist_ok=True)
        listing = MEDIA_DIR / "hostile-chapters.txt"
        listing.write_text(";FFMETADATA1\n" + "".join(
            f"[CHAPTER]\nTIMEBASE=1/1000\nSTART={i * 12}\nEND={i * 12 + 12}\n"
            f"title=\u202e\x01\x1b[31m第{i}章\\\n\u2066x\n" for i in range(10000)), encoding="utf-8")
        made = _generate("hostile-chapters.mkv", "-f", "lavfi", "-i",
                         "testsrc2=size=320x240:rate=25:duration=120", "-i", listing,
                         "-map_chapters", "1", "-c:v", "libx264", "-preset", "ultrafast",
                         "-g", "1500", "-pix_fmt", "yuv420p")
        clip = self.sandbox.root / "hostile.mkv"
        clip.write_bytes(made.read_bytes())
        player = self.start(clip)
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        wait_client_size(window, (320, 240 + BAR))
        x, y, w, h = window.client()
        groove_y = y + h - BAR + 14
        caption = (x, y + h - BAR - 36, w, 34)  # the preview's lines, just above the bar

        # Hovering near the end, 54 s past a keyframe, then PgDn: no hang.
        def hover(at, name):
            """The pointer moved onto the bar, a pixel to and fro as a hand
            does, until the preview's lines show."""
            moves = itertools.count()

            def shown():
                run("xdotool", "mousemove", at + next(moves) % 2, groove_y)
                shot = self.shot(name)
                # Light lines on the box's dark ground.
                return (white_share(shot, caption) > 0.004
                        and colour_share(shot, "1B1D20", caption) > 0.1)
            wait_for(shown, 10, interval=0.3, what=f"the preview's time: {name}")
        hover(x + w - 30, "hostile-hover")
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        start = position()
        run("xdotool", "key", "Next", "Next", "Next")
        wait_for(lambda: position() > start, 5, what="the next chapters")
        self.assertLess(player.resident_mb(), 600)

        # A file gone once it plays: the preview core cannot open it, but the
        # bar still shows the time, and a click on it still seeks.
        gone = self.sandbox.root / "gone.mkv"
        gone.write_bytes(made.read_bytes())
        playerctl("open", gone.as_uri())
        wait_for(lambda: window.title() == gone.name and playerctl("status") == "Playing", 10,
                 what="the second file playing")
        wait_client_size(window, (320, 240 + BAR))
        gone.unlink()
        hover(x + w // 3, "gone-hover")
        click(x + w // 2, groove_y)
        wait_for(lambda: 50 < position() < 70, 10, what="half way after the click")


def frame_clip(folder, seconds=30, rate=10):
    """A 320x240 clip whose grey tells the frame's number, counted round by
    eight (frame_number reads it back)."""
    target = folder / "frames.mp4"
    run("ffmpeg", "-loglevel", "error", "-f", "lavfi", "-i",
        f"nullsrc=size=320x240:rate={rate}:duration={seconds},"
        "geq=lum='mod(N,8)*28+20':cb=128:cr=128",
        "-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", target, timeout=120)
    return target


def frame_number(rgb):
    """The frame number, round by eight, that frame_clip's grey (r, g, b) tells."""
    return min(range(8), key=lambda n: abs((n * 28 + 4) * 255 / 219 - rgb[1]))


def picture_centre(client):
    """The centre of the picture, above the control bar."""
    x, y, w, h = client
    return x + w // 2, y + (h - BAR) // 2


class PreciseKeysTest(PlayerTest):
    """Screenshots, the A-B loop, single frames and the key card, from the keys."""

    def pictures(self):
        """The pictures saved under their names: not the hidden files being written."""
        return sorted((self.sandbox.home / "Pictures/Kelvarino").glob("[!.]*.png"))

    def test_s_saves_the_picture_at_its_own_size_where_the_folder_can_be_written(self):
        colour = (0x20, 0x80, 0xE0)
        player = self.start(still_clip("0x2080E0", 320, 240))
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        run("xdotool", "key", "f")  # in full screen too
        wait_for(lambda: "FULLSCREEN" in window.states(), 5, what="full screen")
        press(window, "s")
        shot = wait_for(lambda: self.pictures(), 10, what="the screenshot")[0]
        self.assertRegex(shot.name, r"^still-0x2080E0-320x240-10s 00-00-0\d\.png$")
        self.assertEqual(run("identify", "-format", "%w %h", shot).stdout, "320 240")
        for got, expected in zip(pixel_colour(shot, 160, 120), colour):
            self.assertAlmostEqual(got, expected, delta=6)
        x, y, w, h = window.client()
        wait_for(lambda: white_share(self.shot("saved-note"), (x, y, w // 3, 60)) > 0.002, 5,
                 what="the note saying it was saved")

        # A pictures folder whose Kelvarino folder cannot be made: a note, no file.
        (self.sandbox.home / "blocked").write_text("a file, not a folder")
        (self.sandbox.home / ".config").mkdir(exist_ok=True)
        (self.sandbox.home / ".config/user-dirs.dirs").write_text(
            'XDG_PICTURES_DIR="$HOME/blocked"\n')
        wait_for(lambda: white_share(self.shot("saved-note"), (x, y, w // 3, 60)) < 0.0005, 10,
                 what="the note gone")
        run("xdotool", "key", "shift+s")
        wait_for(lambda: white_share(self.shot("refused-note"), (x, y, w // 3, 60)) > 0.002, 5,
                 what="the note saying the folder cannot be written")
        self.assertEqual(len(self.pictures()), 1)
        self.assertEqual(list(self.sandbox.home.rglob("still-*")), [shot])
        self.assertEqual(player.close(), 0)

    def test_the_loop_holds_its_stretch_and_frames_step_one_at_a_time(self):
        player = self.start(frame_clip(self.sandbox.root))
        window = player.window()
        wait_for(lambda: position() > 1, 15, what="playing")

        def mark(end):
            """Marks an end of the loop while paused, where the position is known exactly."""
            playerctl("pause")
            wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
            at = position()
            x, y, w, h = window.client()
            bar = (x, y + h - BAR, w, BAR)
            before = self.settled_shot(f"before-{end}", bar, lambda shot: True)
            press(window, "l")
            self.settled_shot(end, bar, lambda shot: image_difference(shot, before) > 0.0005,
                              what=f"the bar marking {end}")
            playerctl("play")
            return at
        a = mark("A")
        wait_for(lambda: position() > a + 1.5, 10, what="a stretch played")
        b = mark("B")
        wraps, last = 0, b

        def looped_three_times():
            nonlocal wraps, last
            now = position()
            self.assertTrue(a - 0.15 < now < b + 0.4, f"{now} outside {a}–{b}")
            wraps += now < last - 0.5
            last = now
            return wraps >= 3
        wait_for(looped_three_times, 20, interval=0.1, what="three rounds of the loop")
        self.shot("loop-marks")
        run("xdotool", "key", "l")
        wait_for(lambda: position() > b + 1, 10, what="the loop cleared")

        # Paused, a full stop shows the next frame and a comma the one before.
        centre = picture_centre(window.client())
        frame = lambda: frame_number(pixel_colour(self.shot("frame"), *centre))
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        start = frame()
        run("xdotool", "key", "period")
        wait_for(lambda: frame() == (start + 1) % 8, 5, what="the next frame")
        self.assertEqual(playerctl("status"), "Paused")
        run("xdotool", "key", "comma")
        wait_for(lambda: frame() == start, 5, what="the frame before")
        self.assertEqual(player.close(), 0)

    def test_question_mark_shows_the_key_card_and_any_key_closes_it(self):
        player = self.start(still_clip("0x203040", 640, 360))
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        playerctl("pause")
        wait_for(lambda: playerctl("status") == "Paused", 5, what="paused")
        at = position()
        client = window.client()
        quiet = self.settled_shot("before", client, lambda shot: True)
        press(window, "question")
        card = self.settled_shot("card", client, lambda shot: image_difference(shot, quiet) > 0.05,
                                 what="the key card")
        run("xdotool", "key", "Right")  # any key: it only closes the card
        self.settled_shot("closed", client, lambda shot: image_difference(shot, quiet) < 0.01,
                          what="the card closed")
        self.assertAlmostEqual(position(), at, delta=0.05, msg="the key did not seek")
        run("xdotool", "key", "F1")
        self.settled_shot("card-again", client, lambda shot: image_difference(shot, card) < 0.01,
                          what="F1 showing the card")
        self.assertEqual(player.close(), 0)

        # A sound's compact window cannot hold the card: it shows in a window of its own over
        # the player, big enough to read, and a click on it closes it.
        player = self.start(audio_clip())
        window = player.window()
        wait_for(lambda: playerctl("status") == "Playing", 15, what="playing")
        press(window, "F1")
        card = wait_for(lambda: [w for w in windows_of(player.pid) if w.id != window.id], 5,
                        what="the card's own window")[0]
        x, y, w, h = card.client()
        self.assertGreater(h, window.client()[3])
        click(x + w // 2, y + h // 2)
        wait_for(lambda: len(windows_of(player.pid)) == 1, 5, what="the card closed")
        self.assertEqual(playerctl("status"), "Playing")
        self.assertEqual(player.close(), 0)
