"""Second starts hand their file to the running instance: one window however
many start at once, every command delivered once, nothing blocked by a bad
client, and "GetInfo:" starting a program with the media's author and title."""

import fcntl
import json
import os
import re
import signal
import socket
import struct
import sys
import threading
import time
import unittest
from pathlib import Path

from desktop import playerctl
from harness import (PlayerTest, audio_clip, close_windows, link_executes, run, wait_for,
                     windows_of)

LOCK_NAME = f"Kelvarino-FormDDE-{os.getuid()}"


def send_command(sandbox, text, timeout=3.0):
    """What an outside program does: one length-prefixed command, then the
    acknowledgement byte (b"" when the connection closed without one)."""
    data = text.encode()
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        s.settimeout(timeout)
        s.connect(str(sandbox.runtime / LOCK_NAME))
        s.sendall(struct.pack(">I", len(data)) + data)
        return s.recv(1)


def start_together(sandbox, argument_lists):
    """Starts one process per argument list at the same moment: each child
    waits on a pipe that the parent closes once all are forked. Returns
    (pid, stderr path) pairs."""
    ready, go = os.pipe()
    started = []
    env = sandbox.env()
    for i, args in enumerate(argument_lists):
        log = sandbox.root / f"together-{time.monotonic_ns()}-{i}.log"
        pid = os.fork()
        if pid == 0:
            try:
                os.close(go)
                fd = os.open(log, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
                os.dup2(fd, 2)
                null = os.open(os.devnull, os.O_WRONLY)
                os.dup2(null, 1)
                os.chdir(sandbox.root)
                os.read(ready, 1)
                os.execve(str(sandbox.binary), [str(sandbox.binary), *map(str, args)], env)
            finally:
                os._exit(127)
        started.append((pid, log))
    os.close(ready)
    os.close(go)  # every child's read returns now
    return started


def exit_status(pid):
    """The wait status of a started process once it has ended, None before."""
    done, status = os.waitpid(pid, os.WNOHANG)
    return status if done else None


def end_leftovers(pids, exits):
    """Ends the processes of a failed round that are still running."""
    for pid in pids:
        if pid in exits:
            continue
        try:
            os.kill(pid, signal.SIGKILL)
            os.waitpid(pid, 0)
        except (ProcessLookupError, ChildProcessError):
            pass


class HandOffTest(PlayerTest):
    def first_instance(self, *args):
        player = self.start(*args)
        window = player.window()
        return player, window

    def test_ten_simultaneous_starts_give_one_window_and_deliver_every_command(self):
        rounds = int(os.environ.get("KELVARINO_HANDOFF_ROUNDS", "30"))
        for round_number in range(rounds):
            with self.subTest(round=round_number):
                paths = [f"/media/round{round_number}/clip {i}.mp4" for i in range(10)]
                started = start_together(self.sandbox, [[p] for p in paths])
                exits = {}
                self.addCleanup(end_leftovers, [pid for pid, _ in started], exits)

                def second_starts_ended():
                    for pid, _ in started:
                        status = None if pid in exits else exit_status(pid)
                        if status is not None:
                            exits[pid] = status
                    return len(exits) >= 9

                wait_for(second_starts_ended, timeout=15, what="nine second starts to end")
                survivors = [(pid, log) for pid, log in started if pid not in exits]
                self.assertEqual(len(survivors), 1)
                self.assertTrue(all(os.waitstatus_to_exitcode(s) == 0 for s in exits.values()))
                pid, log = survivors[0]
                wait_for(lambda: windows_of(pid), timeout=15, what="the first instance's window")
                self.assertEqual([p for p, _ in started if windows_of(p)], [pid], "exactly one window")

                own = paths[[p for p, _ in started].index(pid)]
                others = sorted(set(paths) - {own})

                def delivered():
                    return sorted(link_executes(Path(log).read_text(errors="replace")))

                wait_for(lambda: len(delivered()) >= 9, timeout=10, what="nine commands")
                time.sleep(0.2)  # a command delivered twice would come by now
                self.assertEqual(delivered(), others, "every command delivered once")

                # The next round starts from nothing; the last one after the
                # first instance of the round before was killed outright.
                if round_number == rounds - 2:
                    os.kill(pid, signal.SIGKILL)
                status = exits[pid] = close_windows(pid, lambda: exit_status(pid))
                if round_number != rounds - 2:
                    self.assertEqual(os.waitstatus_to_exitcode(status), 0)

    def test_a_minimised_first_instance_comes_back_and_plays_a_relative_path(self):
        player, window = self.first_instance()
        run("xdotool", "windowminimize", "--sync", window.id, check=False)
        wait_for(lambda: "_NET_WM_STATE_HIDDEN" in window.states(), what="the minimised window")
        folder = self.sandbox.root / "My Videos"
        folder.mkdir()
        (folder / "a clip.mp3").write_bytes(audio_clip().read_bytes())

        second = run(self.sandbox.binary, "a clip.mp3", cwd=folder, env=self.sandbox.env())
        self.assertEqual(second.returncode, 0)
        wait_for(lambda: player.link_executes(), what="the command")
        self.assertEqual(player.link_executes(), [str(folder / "a clip.mp3")])
        wait_for(lambda: "_NET_WM_STATE_HIDDEN" not in window.states(), what="the restored window")
        active = wait_for(lambda: run("xdotool", "getactivewindow", check=False).stdout.strip() == window.id,
                          timeout=3, what="the window in front")
        self.assertTrue(active)
        self.assertEqual(len(windows_of(player.pid)), 1)

        run(self.sandbox.binary, cwd=folder, env=self.sandbox.env())
        wait_for(lambda: len(player.link_executes()) == 2, what="nor")
        self.assertEqual(player.link_executes()[1], "nor")

    def test_a_second_start_hands_over_a_quoted_name_and_several_files(self):
        player, window = self.first_instance()
        folder = self.sandbox.root / "work"
        folder.mkdir()
        for name in ('say "hi".mp3', "x.mp3", "y.mp3"):
            (folder / name).write_bytes(audio_clip().read_bytes())

        run(self.sandbox.binary, 'say "hi".mp3', cwd=folder, env=self.sandbox.env())
        wait_for(lambda: window.title() == 'say "hi".mp3', what="the quoted name playing")
        self.assertEqual(player.link_executes(), [str(folder / 'say "hi".mp3')])

        run(self.sandbox.binary, "x.mp3", "y.mp3", cwd=folder, env=self.sandbox.env())
        wait_for(lambda: window.title() == "x.mp3", what="the first file of the list playing")
        self.assertEqual(player.link_executes()[1], f"{folder}/x.mp3\\0{folder}/y.mp3")
        self.assertEqual((self.sandbox.playlist / "default.m3u").read_bytes(),
                         f"{folder}/x.mp3\r\n{folder}/y.mp3\r\n".encode())

        # A name that is not UTF-8 arrives with its bytes and opens.
        gbk = os.fsencode(folder) + b"/\xb2\xe2\xca\xd4.mp3"
        with open(gbk, "wb") as f:
            f.write(audio_clip().read_bytes())
        loads = player.stderr_path.read_bytes().count(b"kelvarino-trace file-loaded ")
        run(self.sandbox.binary, b"\xb2\xe2\xca\xd4.mp3", cwd=folder, env=self.sandbox.env())
        wait_for(lambda: re.search(rb"link-execute .* " + re.escape(gbk) + rb"\n",
                                   player.stderr_path.read_bytes()), what="the name's bytes")
        wait_for(lambda: player.stderr_path.read_bytes().count(b"kelvarino-trace file-loaded ") > loads,
                 what="the file opened")
        self.assertEqual(len(windows_of(player.pid)), 1)

    def test_a_second_start_that_nobody_answers_ends_without_a_window(self):
        # Another process holds the instance lock but never listens.
        lock = open(self.sandbox.runtime / f"{LOCK_NAME}.lock", "w")
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            second = self.start("/media/a.mp4")
            self.assertEqual(second.wait(10), 0)
            self.assertEqual(windows_of(second.pid), [])
        finally:
            lock.close()

    def test_silent_or_flooding_clients_do_not_hold_up_the_next_command(self):
        player, _ = self.first_instance()
        silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        silent.connect(str(self.sandbox.runtime / LOCK_NAME))
        flooding = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        flooding.connect(str(self.sandbox.runtime / LOCK_NAME))

        under_way = threading.Event()

        def flood():
            try:
                for _ in range(1024):  # 64 MiB
                    flooding.sendall(b"\xff" * (64 * 1024))
                    under_way.set()
            except OSError:
                pass  # refused, as it should be
            under_way.set()

        flooder = threading.Thread(target=flood)
        flooder.start()
        wait_for(under_way.is_set, what="the flood under way")
        # Each command is carried out while the silent client is still there:
        # nothing waits for it to be dropped.
        silent.setblocking(False)
        for i, command in enumerate(("/media/after-junk.mp4", "nor")):
            self.assertEqual(send_command(self.sandbox, command), b"\x06")
            wait_for(lambda: len(player.link_executes()) == i + 1, what=command)
            with self.assertRaises(BlockingIOError, msg="the silent client still connected"):
                silent.recv(1)
        silent.setblocking(True)
        flooder.join(5)
        self.assertFalse(flooder.is_alive())
        silent.settimeout(3)
        self.assertEqual(silent.recv(1), b"", "the silent client is dropped")
        silent.close()
        flooding.close()
        self.assertEqual(player.link_executes(), ["/media/after-junk.mp4", "nor"])

    def test_get_info_starts_the_program_with_the_title_as_data(self):
        artist = "Ann \"A\" O'Neil"
        title = "; touch /tmp/owned $(id) `id` & \"quoted\" x"
        clip = audio_clip(name="tagged.mp3", artist=artist, title=title, seconds=30)
        player, window = self.first_instance(clip)
        wait_for(lambda: window.title() == clip.name, what="the clip playing")
        # The name shows before the tags are read; a slow machine shows the gap.
        wait_for(lambda: playerctl("metadata", "artist") == artist, what="the tags read")

        record = self.sandbox.root / "record.json"
        program = self.sandbox.root / "report tool"
        program.write_text(
            f"#!{sys.executable}\n"
            "import json, os, sys\n"
            "fds = {}\n"
            "for f in os.listdir('/proc/self/fd'):\n"
            "    try:\n"
            "        fds[f] = os.readlink(f'/proc/self/fd/{f}')\n"
            "    except FileNotFoundError:\n"
            "        pass  # the descriptor that read the folder\n"
            f"json.dump({{'argv': sys.argv, 'fds': fds}}, open({str(record)!r} + '.part', 'w'))\n"
            f"os.rename({str(record)!r} + '.part', {str(record)!r})\n")
        program.chmod(0o755)
        self.assertEqual(send_command(self.sandbox, f'GetInfo:"{program}" "first arg"'), b"\x06")
        wait_for(record.exists, what="the program's record")
        seen = json.loads(record.read_text())
        self.assertEqual(seen["argv"][1:], ["first arg", f"FileName:{artist} - {title}"])
        self.assertFalse(Path("/tmp/owned").exists())
        lock = str(self.sandbox.runtime / f"{LOCK_NAME}.lock")
        inherited = [t for f, t in seen["fds"].items() if int(f) > 2 and (t == lock or t.startswith("socket:"))]
        self.assertEqual(inherited, [], "neither the lock nor the listening socket leaks")

        # Stopped from the media keys, the item is still the current one.
        os.remove(record)
        playerctl("stop")
        wait_for(lambda: playerctl("status") == "Stopped", what="stopped")
        self.assertEqual(send_command(self.sandbox, f'GetInfo:"{program}"'), b"\x06")
        wait_for(record.exists, what="the program's record after the stop")
        self.assertEqual(json.loads(record.read_text())["argv"][1:], [f"FileName:{artist} - {title}"])

        # The first instance still answers, and its window is untouched.
        self.assertEqual(send_command(self.sandbox, "nor"), b"\x06")
        self.assertEqual(len(windows_of(player.pid)), 1)


if __name__ == "__main__":
    unittest.main()
