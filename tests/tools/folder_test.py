#!/usr/bin/python3
"""vornelle-db over a folder of themes as people share them: tables the user may only read,
and a settings file whose theme names point elsewhere.

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


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
