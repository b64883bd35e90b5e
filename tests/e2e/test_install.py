"""The installed player: `cmake --install` into a temporary prefix and the .deb
that CPack builds hold the expected files, their desktop entry and metainfo
validate, and the installed binary runs from a prefix its user cannot write,
keeping its play lists in the user's data folder."""

import os
import shutil
import tempfile
import unittest
from pathlib import Path

from harness import BUILD_DIR, PlayerTest, audio_clip, dialog_titled, pop_up_menu, run, wait_for

ICON_SIZES = ("16x16", "24x24", "32x32", "48x48", "128x128", "256x256")
METAINFO = "share/metainfo/org.kelvarino.kelvarino.metainfo.xml"
INSTALLED_FILES = {
    "bin/kelvarino",
    "lib/kelvarino/libkelvarino_logic.so",
    "lib/kelvarino/libkelvarino_adapters.so",
    "share/applications/kelvarino.desktop",
    "share/mime/packages/kelvarino.xml",
    METAINFO,
    "share/icons/hicolor/scalable/apps/kelvarino.svg",
    *(f"share/icons/hicolor/{size}/apps/kelvarino.png" for size in ICON_SIZES),
}
NOBODY = 65534


def install(prefix):
    run("cmake", "--install", BUILD_DIR, "--prefix", prefix, timeout=120)


def files_under(root):
    return {str(p.relative_to(root)) for p in Path(root).rglob("*") if not p.is_dir()}


def entry_keys(path):
    lines = Path(path).read_text().splitlines()
    return dict(line.split("=", 1) for line in lines if "=" in line)


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = Path(tempfile.mkdtemp(prefix="kelvarino-install-"))
        cls.addClassCleanup(shutil.rmtree, cls.root, ignore_errors=True)
        cls.prefix = cls.root / "prefix"
        install(cls.prefix)

    def test_the_prefix_holds_the_binary_its_libraries_and_the_desktop_files(self):
        self.assertEqual(files_under(self.prefix), INSTALLED_FILES)
        runpath = run("readelf", "-d", self.prefix / "bin/kelvarino").stdout
        self.assertIn("[$ORIGIN/../lib/kelvarino]", runpath)

    def test_the_desktop_entry_validates_and_runs_the_installed_binary(self):
        entry = self.prefix / "share/applications/kelvarino.desktop"
        checked = run("desktop-file-validate", entry, check=False)
        self.assertEqual((checked.returncode, checked.stdout), (0, ""))
        keys = entry_keys(entry)
        self.assertEqual(keys["Exec"], f"{self.prefix}/bin/kelvarino %F")
        self.assertEqual(keys["Icon"], "kelvarino")
        self.assertTrue(keys["MimeType"].startswith("application/x-kelvarino;"))

    def test_the_metainfo_validates_and_launches_the_installed_entry(self):
        metainfo = self.prefix / METAINFO
        checked = run("appstreamcli", "validate", "--no-net", metainfo, check=False)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        self.assertIn('<launchable type="desktop-id">kelvarino.desktop</launchable>',
                      metainfo.read_text())

    def test_the_mime_package_declares_the_kq_type(self):
        mime = self.root / "mime"
        shutil.copytree(self.prefix / "share/mime", mime)
        run("update-mime-database", mime)
        self.assertIn("application/x-kelvarino:*.kq", (mime / "globs2").read_text())

    def test_a_prefix_with_reserved_characters_is_quoted_in_exec(self):
        prefix = self.root / 'my "media" $HOME'
        install(prefix)
        entry = prefix / "share/applications/kelvarino.desktop"
        checked = run("desktop-file-validate", entry, check=False)
        self.assertEqual((checked.returncode, checked.stdout), (0, ""))
        # In the quotes " and $ take a backslash, and the value's escape doubles it.
        self.assertEqual(entry_keys(entry)["Exec"],
                         f'"{self.root}/my \\\\"media\\\\" \\\\$HOME/bin/kelvarino" %F')


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = Path(tempfile.mkdtemp(prefix="kelvarino-deb-"))
        cls.addClassCleanup(shutil.rmtree, cls.root, ignore_errors=True)
        run("cpack", "-G", "DEB", "--config", BUILD_DIR / "CPackConfig.cmake", "-B", cls.root,
            timeout=300)
        cls.deb = next(cls.root.glob("kelvarino_*.deb"))
        cls.tree = cls.root / "tree"
        run("dpkg-deb", "-x", cls.deb, cls.tree)

    def field(self, name):
        return run("dpkg-deb", "-f", self.deb, name).stdout.strip()

    def test_the_control_fields_name_the_libraries_it_needs_and_software_gl(self):
        self.assertEqual(self.field("Package"), "kelvarino")
        self.assertEqual(self.field("Section"), "video")
        self.assertRegex(self.field("Maintainer"), r"^\S.* <\S+@\S+>$")
        depends = [d.split()[0] for d in self.field("Depends").split(", ")]
        for package in ("libgl1-mesa-dri", "qt6-wayland", "libmpv2", "libqt6gui6", "libqt6widgets6",
                        "libqt6dbus6"):
            self.assertIn(package, depends)
        self.assertNotIn("kelvarino", " ".join(depends))
        summary, *long_text = self.field("Description").splitlines()
        self.assertTrue(summary and long_text)
        self.assertTrue(all(len(line) <= 80 for line in long_text))

    def test_it_installs_the_same_files_under_usr_with_an_exec_of_usr_bin(self):
        self.assertEqual(files_under(self.tree / "usr"), INSTALLED_FILES)
        entry = self.tree / "usr/share/applications/kelvarino.desktop"
        self.assertEqual(entry_keys(entry)["Exec"], "/usr/bin/kelvarino %F")
        self.assertEqual(run("desktop-file-validate", entry, check=False).returncode, 0)
        checked = run("appstreamcli", "validate", "--no-net", self.tree / "usr" / METAINFO,
                      check=False)
        self.assertEqual(checked.returncode, 0, checked.stdout)


class InstalledPlayerTest(PlayerTest):
    """The installed binary started by a user who cannot write its prefix: as
    root the scenario runs it as nobody (without a session bus of its own),
    otherwise the prefix is made read-only."""

    def setUp(self):
        super().setUp()
        self.prefix = self.sandbox.root / "prefix"
        install(self.prefix)
        self.binary = self.prefix / "bin/kelvarino"
        self.data_home = self.sandbox.home / ".local/share"
        for name in ("x.mp3", "y.mp3", "z.mp3", "alone.mp3"):
            (self.sandbox.root / name).write_bytes(audio_clip().read_bytes())
        if os.geteuid() == 0:
            os.chown(self.sandbox.root, NOBODY, NOBODY)
            for path in self.sandbox.root.iterdir():
                if path != self.prefix:
                    self.chown_tree(path)
        else:
            self.read_only = [self.prefix, self.prefix / "bin"]
            for folder in self.read_only:
                folder.chmod(0o555)

    def tearDown(self):
        for folder in getattr(self, "read_only", []):
            folder.chmod(0o755)  # so that the sandbox can be removed
        super().tearDown()

    @staticmethod
    def chown_tree(path):
        os.chown(path, NOBODY, NOBODY)
        if path.is_dir():
            for sub in path.rglob("*"):
                os.lchown(sub, NOBODY, NOBODY)

    def start_installed(self, binary=None, **env):
        binary = binary or self.binary
        if os.geteuid() != 0:
            return self.start(binary=binary, env=self.sandbox.env(**env))
        env = self.sandbox.env(DBUS_SESSION_BUS_ADDRESS=f"unix:path={self.sandbox.root}/no-bus", **env)
        return self.start("--reuid=65534", "--regid=65534", "--clear-groups", "--", binary,
                          binary="setpriv", env=env)

    def open_with_installed_entry(self, *names, **env):
        """Opens files as a file manager does: one launch of the entry for its selection."""
        command = ["gio", "launch", self.prefix / "share/applications/kelvarino.desktop",
                   *(self.sandbox.root / name for name in names)]
        if os.geteuid() == 0:
            command = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--", *command]
            env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={self.sandbox.root}/no-bus"
        run(*command, env=self.sandbox.env(**env))

    def test_starts_keep_the_installed_entry_in_open_with_and_a_moved_copy_takes_it_whole(self):
        # What a package's triggers do once the files are in place.
        run("update-desktop-database", self.prefix / "share/applications")
        run("update-mime-database", self.prefix / "share/mime")
        desktop = dict(XDG_DATA_DIRS=f"{self.prefix}/share:/usr/share")
        env = self.sandbox.env(**desktop)

        def offered():
            listed = run("gio", "mime", "video/mp4", env=env).stdout
            default = run("xdg-mime", "query", "default", "video/mp4", env=env).stdout.strip()
            return "kelvarino.desktop" in listed, default

        self.assertEqual(offered(), (True, "kelvarino.desktop"))
        installed = self.prefix / "share/applications/kelvarino.desktop"
        user_entry = self.data_home / "applications/kelvarino.desktop"

        # The installed copy's first start finds its own command in force.
        player = self.start_installed(**desktop)
        window = player.window()

        # Three files selected in a file manager play as one list in the
        # running window; one file still plays alone.
        self.open_with_installed_entry("x.mp3", "y.mp3", "z.mp3", **desktop)
        playlist = self.data_home / "Kelvarino/playlist/default.m3u"
        wait_for(playlist.exists, 15, what="the selection written as the default list")
        folder = self.sandbox.root
        selection = "".join(f"{folder}/{name}\r\n" for name in ("x.mp3", "y.mp3", "z.mp3"))
        self.assertEqual(playlist.read_bytes(), selection.encode())
        wait_for(lambda: window.title() == "x.mp3", 30, what="the selection's first item playing")
        self.open_with_installed_entry("alone.mp3", **desktop)
        wait_for(lambda: window.title() == "alone.mp3", 30, what="the one file playing")
        self.assertEqual(playlist.read_bytes(), selection.encode())
        self.assertEqual(player.close(), 0)
        self.assertEqual(offered(), (True, "kelvarino.desktop"))
        self.assertFalse(user_entry.exists(), "an entry that shadows the installed one")

        # Another copy repairs the command in the user's entry, which keeps
        # every other line of the installed one.
        player = self.start_installed(self.sandbox.binary, **desktop)
        player.window()
        self.assertEqual(player.close(), 0)
        self.assertEqual(entry_keys(user_entry)["Exec"], f"{self.sandbox.binary} %F")
        kept = {k: v for k, v in entry_keys(installed).items() if k not in ("Exec", "Comment")}
        self.assertEqual({k: v for k, v in entry_keys(user_entry).items() if k in kept}, kept)
        self.assertEqual(offered(), (True, "kelvarino.desktop"))

    def test_it_runs_from_a_prefix_it_cannot_write_and_keeps_play_lists_in_the_data_folder(self):
        player = self.start_installed()
        window = player.window()
        maps = Path(f"/proc/{player.pid}/maps").read_text()
        self.assertIn(f"{self.prefix}/lib/kelvarino/libkelvarino_adapters.so", maps)
        playlists = self.data_home / "Kelvarino/playlist"
        self.assertTrue(playlists.is_dir())
        self.assertFalse((self.prefix / "bin/playlist").exists())

        # 打开 from the pop-up menu, by its mnemonic O.
        pop_up_menu(player, window, "o")
        dialog_titled(player, "打开")
        run("xdotool", "type", "--delay", "20", '"x.mp3" "y.mp3"')
        run("xdotool", "key", "Return")
        playlist = playlists / "default.m3u"
        wait_for(playlist.exists, what="default.m3u in the data folder")
        folder = self.sandbox.root
        self.assertEqual(playlist.read_bytes(), f"{folder}/x.mp3\r\n{folder}/y.mp3\r\n".encode())
        # Generous: a loaded machine may take its time to open the list.
        wait_for(lambda: window.title() == "x.mp3", 30, what="the first item playing")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    unittest.main()
