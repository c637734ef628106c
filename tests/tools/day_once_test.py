#!/usr/bin/python3
"""vornelle-db day --once as ~/.bashrc runs it: a folder's messages the first time its day is
asked for and nothing later that day; the messages all the same when the state cannot be kept.

Usage: day_once_test.py VORNELLE_DB
"""
import glob
import os
import shutil
import subprocess
import sys
import unittest
from unittest import mock

import tool_case

ALMANAC = [("9999", "Sayings", False), ("0704", "Fireworks.", False), ("0705", "Parade.", False)]
JSON_0705 = ('{"date": "2024-07-05", "key": "0705", "themes": [{"file": "almanac.dbf", '
             '"description": "Sayings", "lines": ["Parade."]}]}\n')


class DayOnce(tool_case.FolderCase):
    def setUp(self):
        super().setUp()
        environ = mock.patch.dict(os.environ, {"XDG_STATE_HOME": self.path("state")})
        environ.start()
        self.addCleanup(environ.stop)
        self.home, self.work = self.path("home"), self.path("work")
        for folder in (self.home, self.work):
            os.mkdir(folder)
            tool_case.make_theme_with_python_dbf(os.path.join(folder, "almanac.dbf"), ALMANAC)
            with open(os.path.join(folder, "Vornel.Ini"), "w") as f:
                f.write("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n")

    def day(self, date, folder, *args):
        return tool_case.run("day", "--once", "--date", date, "--folder", folder, *args)

    def test_each_folder_shows_each_day_once(self):
        with open("/dev/full", "w") as full:  # output lost is no day shown
            lost = subprocess.run([tool_case.TOOL, "day", "--once", "--date", "2024-07-04",
                                   "--folder", self.home], stdout=full, stderr=subprocess.PIPE)
        self.assertEqual(lost.returncode, 1)
        # (date, folder, more arguments, status, stdout)
        for date, folder, args, status, stdout in (
                ("2024-07-04", self.home, [], 0, "Fireworks.\n"),
                ("2024-07-04", self.home, [], 0, ""),
                ("2024-07-04", self.home, ["--json"], 0, ""),
                ("2024-07-05", self.home, ["gone.dbf"], 1, ""),  # a failure marks nothing
                ("2024-07-05", self.home, [], 0, "Parade.\n"),
                ("2024-07-05", self.work, ["--json"], 0, JSON_0705),
                ("2024-07-05", self.work, [], 0, ""),
                # Looking ahead or back is not the day's print: the mark stays on 2024-07-05.
                ("2099-07-04", self.home, [], 0, "Fireworks.\n"),
                ("2024-07-04", self.home, [], 0, "Fireworks.\n"),
                ("2024-07-05", self.home, [], 0, "")):
            with self.subTest(date=date, folder=folder, args=args):
                done = self.day(date, folder, *args)
                self.assertEqual((done.returncode, done.stdout), (status, stdout), done.stderr)
                if status == 0:
                    self.assertEqual(done.stderr, "")

    def test_a_state_file_that_is_no_small_file_stops_nothing(self):
        self.assertEqual(self.day("2024-07-03", self.home).returncode, 0)
        [state] = glob.glob(self.path("state/vornelle/*.day"))
        # (what stands there, why it cannot be kept)
        for kind, why in (("a FIFO", "not a regular file"), ("a link to /dev/zero", "not a regular file"),
                          ("a 2 GiB file", "larger than 8 KiB")):
            with self.subTest(kind=kind):
                os.remove(state)
                if kind == "a FIFO":
                    os.mkfifo(state)
                elif kind == "a link to /dev/zero":
                    os.symlink("/dev/zero", state)
                else:
                    with open(state, "wb") as f:
                        f.truncate(2 << 30)
                done = tool_case.run_limited("day", "--once", "--date", "2024-07-04", "--folder", self.home,
                                             timeout=15)
                self.assertEqual((done.returncode, done.stdout), (0, "Fireworks.\n"), done.stderr)
                self.assertEqual(done.stderr, "vornelle-db day: cannot keep %s: %s\n" % (state, why))

    def test_state_kept_or_not(self):
        open(self.path("file"), "w").close()
        os.environ["HOME"] = self.path("user")
        kept = ["user", "user/.local", "user/.local/state", "user/.local/state/vornelle"]
        # (XDG_STATE_HOME, kept): unset or relative, it is ~/.local/state; a file cannot hold it
        for state_home, is_kept in ((None, True), ("relative", True), (self.path("file"), False)):
            with self.subTest(state_home=state_home):
                os.environ.pop("XDG_STATE_HOME", None)
                if state_home:
                    os.environ["XDG_STATE_HOME"] = state_home
                first, again = self.day("2024-07-04", self.home), self.day("2024-07-04", self.home)
                self.assertEqual((first.returncode, first.stdout, again.returncode),
                                 (0, "Fireworks.\n", 0))
                if not is_kept:  # printed every time, with the reason
                    self.assertEqual(again.stdout, "Fireworks.\n")
                    self.assertRegex(first.stderr,
                                     r"\Avornelle-db day: cannot keep [^\n]+: [^\n]+\n\Z")
                    continue
                self.assertEqual((again.stdout, first.stderr + again.stderr), ("", ""))
                self.assertEqual([os.stat(self.path(p)).st_mode & 0o777 for p in kept], [0o700] * 4)
                [state] = glob.glob(self.path("user/.local/state/vornelle/*.day"))
                with open(state) as f:
                    self.assertEqual(f.read(), "2024-07-04\n%s\n" % os.path.realpath(self.home))
                shutil.rmtree(self.path("user"))


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
