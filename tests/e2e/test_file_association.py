"""The file type as the desktop sees it, in a private HOME: the entry, the
*.kq type and its default after a start, opening files through gio and
xdg-open, 文件关联 answered No and Yes, and a moved program."""

import shutil
import time
import unittest

from harness import (PlayerTest, audio_clip, pop_up_menu, press, run, wait_for, window_titled,
                     windows_of)

ENTRY = "kelvarino.desktop"


class FileAssociationTest(PlayerTest):
    def query(self, *args):
        return run("xdg-mime", "query", *args, env=self.sandbox.env()).stdout.strip()

    @property
    def entry(self):
        return self.sandbox.home / ".local/share/applications" / ENTRY

    def kq_file(self, name="clip.kq"):
        path = self.sandbox.root / name
        path.write_bytes(audio_clip().read_bytes())  # a non-empty file
        return path

    def test_a_start_registers_the_type_and_files_open_in_the_running_instance(self):
        self.assertEqual(self.query("default", "application/x-kelvarino"), "")
        player = self.start()
        window = player.window()
        wait_for(self.entry.exists, what="the desktop entry")
        self.assertEqual(self.query("default", "application/x-kelvarino"), ENTRY)
        self.assertEqual(run("desktop-file-validate", self.entry).stdout, "")
        self.assertIn(f"\nExec={self.sandbox.binary} %F\n", self.entry.read_text())

        clip = self.kq_file("a clip.kq")
        wait_for(lambda: self.query("filetype", clip) == "application/x-kelvarino",
                 what="the MIME database knowing *.kq")
        run("gio", "open", clip, env=self.sandbox.env())
        wait_for(lambda: player.link_executes(), what="the file from gio")
        self.assertEqual(player.link_executes(), [str(clip)])

        # Double quotes in a name are the name's: the shell took its own away.
        other = self.kq_file('say "b".kq')
        run("xdg-open", other, env=self.sandbox.env())
        wait_for(lambda: len(player.link_executes()) == 2, what="the file from xdg-open")
        self.assertEqual(player.link_executes()[1], str(other))
        wait_for(lambda: window.title() == other.name, what="the quoted name playing")
        time.sleep(0.5)  # a second window, had the start not handed over, would be up by now
        self.assertEqual(len(windows_of(player.pid)), 1)
        visible = run("xdotool", "search", "--onlyvisible", "--name", "Kelvarino|clip|b.*kq",
                      check=False).stdout.split()
        self.assertEqual(visible, [window.id], "no second window")

    def test_file_association_asks_first_and_maps_the_media_types_only_on_yes(self):
        player = self.start()
        window = player.window()
        wait_for(self.entry.exists, what="the desktop entry")
        before = self.query("default", "video/mp4")

        for key in ("Escape", "Return"):
            pop_up_menu(player, window, "s", "c")  # 播放设置(&S), 文件关联(&C)
            press(window_titled(player, "Kelvarino - 文件关联"), key)
            wait_for(lambda: not [b for b in windows_of(player.pid) if b.title() == "Kelvarino - 文件关联"],
                     what="the question to close")
            if key == "Escape":
                time.sleep(0.3)  # what a No wrote would be there by now
                self.assertEqual(self.query("default", "video/mp4"), before, "No writes nothing")

        for media_type in ("video/mp4", "video/x-matroska", "audio/mpeg", "audio/x-mpegurl",
                           "application/vnd.apple.mpegurl", "application/vnd.ms-wpl"):
            wait_for(lambda: self.query("default", media_type) == ENTRY, timeout=3, what=media_type)
        self.assertIn("video/mp4;", self.entry.read_text())
        self.assertEqual(run("desktop-file-validate", self.entry).stdout, "")

    def test_a_moved_program_rewrites_the_entry_at_its_next_start(self):
        player = self.start()
        player.window()
        wait_for(self.entry.exists, what="the desktop entry")
        self.assertEqual(player.close(), 0)
        moved = self.sandbox.root / "moved program"
        shutil.move(self.sandbox.program, moved)
        player = self.start(binary=moved / "kelvarino")
        player.window()
        wait_for(lambda: f"\nExec=\"{moved}/kelvarino\" %F\n" in self.entry.read_text(),
                 what="the entry naming the moved program")
        self.assertEqual(self.query("default", "application/x-kelvarino"), ENTRY)
        self.assertEqual(run("desktop-file-validate", self.entry).stdout, "")

        # The quoted Exec still starts the program, which hands over.
        clip = self.kq_file()
        wait_for(lambda: self.query("filetype", clip) == "application/x-kelvarino", what="*.kq")
        run("gio", "open", clip, env=self.sandbox.env())
        wait_for(lambda: player.link_executes() == [str(clip)], what="the file from gio")


if __name__ == "__main__":
    unittest.main()
