#!/usr/bin/python3
"""vornelle-db over a folder of themes as people share them: tables the user may only read,
a settings file whose theme names point elsewhere or at tables that are gone, and a folder
without tables.

Usage: folder_test.py VORNELLE_DB
"""
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

import tool_case
from tool_case import ToolCase


def run_as_reader(*args):
    """Runs the tool as a user who may not write the themes: root writes whatever it likes,
    so as root the run drops to nobody."""
    command = [tool_case.TOOL] + list(args)
    if os.geteuid() == 0:
        command = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] + command
    return subprocess.run(command, capture_output=True, text=True)


class SharedFolder(ToolCase):
    def setUp(self):
        self.parent = tempfile.TemporaryDirectory()
        self.dir = os.path.join(self.parent.name, "themes")
        os.mkdir(self.dir)
        self.table = os.path.join(self.dir, "almanac.dbf")
        self.ok("create", self.table, "THEDATE,C,4", "THEJOKE,M")
        self.ok("append", self.table, "THEDATE=9999", "THEJOKE=Sayings")
        self.ok("append", self.table, "THEDATE=0101", "THEJOKE=New year.")

    def tearDown(self):
        self.parent.cleanup()

    def settings(self, *themes):
        lines = ["[THEMES]", "ThemeLINES=%d" % len(themes)]
        lines += ["DB_%d=%s" % (i, t) for i, t in enumerate(themes)]
        with open(os.path.join(self.dir, "Vornel.Ini"), "w") as f:
            f.write("\n".join(lines) + "\n")

    def test_themes_the_user_may_only_read_are_read(self):
        if os.geteuid() == 0 and not shutil.which("setpriv"):
            self.skipTest("setpriv is needed to run as a user other than root")
        self.settings("almanac.dbf")
        for name in ("almanac.dbf", "almanac.dbt"):
            os.chmod(os.path.join(self.dir, name), 0o444)
        for folder in (self.parent.name, self.dir):
            os.chmod(folder, 0o755)
        for args, shown in ((["day", "--folder", self.dir, "--date", "2026-01-01"], "New year.\n"),
                            (["themes", "--folder", self.dir], "Sayings")):
            done = run_as_reader(*args)
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertIn(shown, done.stdout)
        self.assertEqual(stat.S_IMODE(os.stat(self.table).st_mode), 0o444)

    def test_theme_names_outside_the_folder_are_left_out(self):
        self.settings("../escaped.dbf", "almanac.dbf", "/tmp/vornelle-elsewhere")
        done = tool_case.run("day", "--folder", self.dir, "--date", "2026-01-01")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, "New year.\n")
        self.assertEqual(done.stderr,
                         "Not a Theme of This Folder, Left Out: ../escaped.dbf\n"
                         "Not a Theme of This Folder, Left Out: /tmp/vornelle-elsewhere\n")
        self.assertEqual(os.listdir(self.parent.name), ["themes"])
        self.assertFalse(os.path.exists("/tmp/vornelle-elsewhere.dbf"))

    def test_day_says_what_the_window_says(self):
        empty = os.path.join(self.parent.name, "empty")
        os.mkdir(empty)
        with open(os.path.join(empty, "Vornel.Ini"), "w") as f:
            f.write("[THEMES]\nThemeLINES=1\nDB_0=almanac.dbf\n")
        with open(os.path.join(self.dir, "broken.dbf"), "wb") as f:
            f.write(b"not a table at all, and long enough to be read")
        self.settings()
        gone = "Theme File Not Found, Left Out: garden.dbf\n"
        # (folder, displayed themes or None, THEME arguments, status, stdout, stderr or a part of it)
        for folder, displayed, args, status, stdout, stderr in (
                (empty, None, [], 1, "", "No Message Files Exists! Please check your installation.\n"),
                (empty, None, ["almanac.dbf"], 1, "", "Theme File Not Found, Left Out: almanac.dbf\n"),
                (self.dir, ["garden.dbf", "almanac.dbf", " Garden "], [], 0, "New year.\n",
                 gone + "Theme File Not Found, Left Out: Garden\n"),
                (self.dir, ["garden.dbf", "ALMANAC.DBF"], ["--json"], 0,
                 '{"date": "2026-01-01", "key": "0101", "themes": [{"file": "ALMANAC.DBF", '
                 '"description": "Sayings", "lines": ["New year."]}]}\n', gone),
                # What can be read is printed; what cannot is named, and the status says so.
                (self.dir, ["broken.dbf", "almanac.dbf"], [], 1, "New year.\n", "broken.dbf"),
                (self.dir, None, ["almanac.dbf", "garden.dbf"], 1, "New year.\n", gone)):
            with self.subTest(folder=folder, displayed=displayed, args=args):
                if displayed is not None:
                    self.settings(*displayed)
                done = tool_case.run("day", "--folder", folder, "--date", "2026-01-01", *args)
                self.assertEqual((done.returncode, done.stdout), (status, stdout), done.stderr)
                if stderr.endswith("\n"):
                    self.assertEqual(done.stderr, stderr)
                else:
                    self.assertIn(stderr, done.stderr)
                self.assertEqual(sorted(os.listdir(self.dir)),
                                 ["Vornel.Ini", "almanac.dbf", "almanac.dbt", "broken.dbf"])
                self.assertEqual(os.listdir(empty), ["Vornel.Ini"])


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
