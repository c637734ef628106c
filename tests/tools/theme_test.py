#!/usr/bin/python3
"""vornelle-db day, themes and theme export | import | check as a user runs them, on theme
tables vornelle-db writes and on themes python3-dbf and Perl XBase write: deleted records, two
records for one key, OEM text such as ü and ß, 0229, an empty memo.

Usage: theme_test.py VORNELLE_DB
"""
import json
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = None
HERE = os.path.dirname(os.path.abspath(__file__))

# Each theme: (key, text, deleted) in table order.
ALMANAC = [("9999", "Sayings \u00fc\u00df", False), ("0101", "New year.\r\nSecond line.", False),
           ("0229", "Leap day.", False), ("0704", "first of two", True),
           ("0704", "second of two", False), ("1225", "", False)]
GARDEN = [("9999", "Garden", False), ("0229", "Sow \u00df\u00fc.", False)]


def run(*args, cwd=None):
    return subprocess.run([TOOL] + list(args), capture_output=True, text=True, cwd=cwd)


def make_with_tool(path, records):
    assert run("create", path, "THEDATE,C,4", "THEJOKE,M").returncode == 0
    for n, (key, text, deleted) in enumerate(records, 1):
        assert run("append", path, "THEDATE=" + key, "THEJOKE=" + text).returncode == 0
        if deleted:
            assert run("delete", path, str(n)).returncode == 0


def make_with_python_dbf(path, records, kind):
    import dbf
    table = dbf.Table(path, "thedate C(4); thejoke M", dbf_type=kind, codepage="cp437")
    table.open(dbf.READ_WRITE)
    for key, text, deleted in records:
        table.append((key, text))
        if deleted:
            dbf.delete(table[-1])
    table.close()


def make_with_perl(path, records):
    spec = path + ".json"
    with open(spec, "w", encoding="utf-8") as f:
        json.dump([{"key": k, "text": t, "deleted": d} for k, t, d in records], f)
    subprocess.run(["perl", os.path.join(HERE, "xbase_peer.pl"), "theme", path, spec], check=True)


MAKERS = {
    "vornelle-db": make_with_tool,
    "python3-dbf dBASE III": lambda p, r: make_with_python_dbf(p, r, "db3"),
    "python3-dbf FoxPro": lambda p, r: make_with_python_dbf(p, r, "fp"),
    "Perl XBase": make_with_perl,
}


class Themes(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.dir = self.folder.name

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.dir, name)

    def make(self, maker, name, records):
        MAKERS[maker](self.path(name), records)

    def settings(self, *themes):
        lines = ["[THEMES]", "ThemeLINES=%d" % len(themes)]
        lines += ["DB_%d=%s" % (i, t) for i, t in enumerate(themes)]
        with open(self.path("Vornel.Ini"), "w") as f:
            f.write("\n".join(lines) + "\n")

    def test_day_reads_every_makers_theme_as_the_window_does(self):
        for maker in MAKERS:
            with self.subTest(maker=maker):
                for name in os.listdir(self.dir):
                    os.remove(self.path(name))
                self.make(maker, "almanac.dbf", ALMANAC)
                self.make(maker, "garden.dbf", GARDEN)
                self.settings("almanac.dbf", " garden.dbf ")
                leap = run("day", "--date", "2024-02-29", "--folder", self.dir)
                self.assertEqual(leap.returncode, 0, leap.stderr)
                self.assertEqual(leap.stdout, "Leap day.\n\n%s\n\nSow \u00df\u00fc.\n" % ("#" * 25))
                # The first record of a key, though deleted; a theme without a message keeps its
                # separator block and is named.
                july = run("day", "--date", "2024-07-04", "--folder", self.dir)
                self.assertEqual(july.stdout, "first of two\n\n%s\n\n" % ("#" * 25))
                self.assertEqual(july.stderr, "No Message on File for This .db: garden.dbf\n")
                # An empty memo gives no lines.
                xmas = run("day", "--date", "2024-12-25", "--folder", self.dir, "almanac.dbf")
                self.assertEqual((xmas.stdout, xmas.returncode), ("", 0))

    def test_day_as_json_and_its_failures(self):
        self.make("vornelle-db", "almanac.dbf", ALMANAC)
        done = run("day", "--date", "2024-01-01", "--json", "almanac.dbf", "missing.dbf", cwd=self.dir)
        self.assertEqual(done.returncode, 1)
        self.assertIn("File not found", done.stderr)
        self.assertFalse(os.path.exists(self.path("missing.dbf")))  # nothing is created
        self.assertEqual(json.loads(done.stdout), {
            "date": "2024-01-01", "key": "0101", "themes": [
                {"file": "almanac.dbf", "description": "Sayings \u00fc\u00df",
                 "lines": ["New year.", "Second line."]},
                {"file": "missing.dbf", "description": None, "lines": None}]})
        self.assertIn("--date takes", run("day", "--date", "2023-02-29", cwd=self.dir).stderr)
        self.assertIn("Usage: vornelle-db day", run("day", "--help").stdout)

    def test_the_letter_0x8d_is_read_as_a_letter(self):
        # ì is 0x8D in code page 437; only 0x8D 0x0A is a soft return (an editor's wrap).
        italian = "Oggi \u00e8 luned\u00ec, domani marted\u00ec."
        for maker in MAKERS:
            with self.subTest(maker=maker):
                name = maker.replace(" ", "_") + ".dbf"
                records = [("9999", "Italiano", False), ("0102", italian, False)]
                if maker.startswith("python3-dbf"):
                    records.append(("0103", "wrap\u00ec\nped", False))  # stored 0x8D 0x0A
                self.make(maker, name, records)
                day = run("day", "--date", "2024-01-02", "--folder", self.dir, name)
                self.assertEqual(day.stdout, italian + "\n", day.stderr)
                exported = run("theme", "export", self.path(name)).stdout
                self.assertIn("@0102\n" + italian + "\n", exported)
                if maker.startswith("python3-dbf"):
                    wrapped = run("day", "--date", "2024-01-03", "--folder", self.dir, name)
                    self.assertEqual(wrapped.stdout, "wrapped\n")
                    self.assertIn("@0103\nwrapped\n", exported)

    def test_themes_lists_the_folder_as_the_calendar_scans_it(self):
        self.make("Perl XBase", "almanac.dbf", ALMANAC)
        self.make("python3-dbf FoxPro", "garden.dbf", GARDEN)
        done = run("themes", "--folder", self.dir, "--json")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(json.loads(done.stdout), [
            {"file": "almanac.dbf", "description": "Sayings \u00fc\u00df", "days": 4},
            {"file": "garden.dbf", "description": "Garden", "days": 1}])
        self.make("vornelle-db", "plain.dbf", [("0101", "no description", False)])
        done = run("themes", "--folder", self.dir)
        self.assertEqual(done.returncode, 1)
        self.assertIn("No Description on File for This .db: plain.dbf", done.stdout)
        self.assertIn("  4/366  Sayings", done.stdout)

    def test_export_then_import_gives_the_same_records(self):
        for maker in MAKERS:
            with self.subTest(maker=maker):
                self.make(maker, maker.replace(" ", "_") + ".dbf", ALMANAC)
                source = self.path(maker.replace(" ", "_") + ".dbf")
                text = self.path("exported.txt")
                self.assertEqual(run("theme", "export", source, "--output", text).returncode, 0)
                copy = self.path("copy.dbf")
                done = run("theme", "import", text, copy, "--force")
                self.assertEqual(done.returncode, 0, done.stderr)
                listed = [json.loads(l) for l in run("list", copy, "--format", "json").stdout.splitlines()]
                expected = [(k, t) for k, t, d in ALMANAC if not d]
                self.assertEqual([(r["THEDATE"], r["THEJOKE"]) for r in listed], expected)

    def test_escapes_survive_the_round_trip(self):
        self.make("vornelle-db", "odd.dbf",
                  [("9999", "Odd", False), ("0101", "@0102\r\n# not a comment\r\n\\x", False)])
        exported = run("theme", "export", self.path("odd.dbf")).stdout
        self.assertIn("\n\\@0102\n\\# not a comment\n\\\\x\n", exported)
        with open(self.path("odd.txt"), "w") as f:
            f.write(exported)
        self.assertEqual(run("theme", "import", self.path("odd.txt"), self.path("back.dbf")).returncode, 0)
        listed = [json.loads(l) for l in run("list", self.path("back.dbf"), "--format", "json").stdout.splitlines()]
        self.assertEqual(listed[1]["THEJOKE"], "@0102\r\n# not a comment\r\n\\x")

    def test_import_refuses_bad_text_and_writes_nothing(self):
        text = self.path("bad.txt")
        with open(text, "w", encoding="utf-8") as f:
            f.write("# comment\n@0101\none\n@0101\ntwo\n@0230\nx\n@0301\nEuro \u20ac and \u4e2d\n")
        table = self.path("bad.dbf")
        done = run("theme", "import", text, table)
        self.assertEqual(done.returncode, 1)
        for expected in ("line 6: \"0230\" is not a day of the year",
                         "line 4: a second record for 0101 (the first is on line 2)",
                         "line 9: a character the tables' code page (DOS 437) cannot hold",
                         "no description record (@9999)", "nothing written"):
            self.assertIn(expected, done.stderr)
        self.assertFalse(os.path.exists(table))
        good = self.path("good.txt")
        with open(good, "w", encoding="utf-8") as f:
            f.write("@9999\nGood\n@0229\nLeap \u00fc\u00df\n")
        self.assertEqual(run("theme", "import", good, table).returncode, 0)
        again = run("theme", "import", good, table)
        self.assertEqual(again.returncode, 1)
        self.assertIn("exists; --force replaces it", again.stderr)
        self.assertEqual(run("theme", "import", good, table, "--kind", "foxpro", "--force").returncode, 0)
        self.assertTrue(os.path.exists(self.path("bad.fpt")))

    def test_check_names_what_the_calendar_would_make_of_a_table(self):
        self.make("python3-dbf dBASE III", "almanac.dbf", ALMANAC + [("13XX", "bad key", False)])
        done = run("theme", "check", self.path("almanac.dbf"))
        self.assertEqual(done.returncode, 1)
        for expected in ("record 4: deleted, but the calendar still shows it (0704)",
                         "record 5: a second record for 0704; the calendar shows record 4",
                         "record 7: key \"13XX\" is no day of the year",
                         "no message for 362 of the 366 days: 0102 0103"):
            self.assertIn(expected, done.stdout)
        self.make("vornelle-db", "nodesc.dbf", [("0101", "x", False)])
        self.assertIn("no description record (9999)", run("theme", "check", self.path("nodesc.dbf")).stdout)


if __name__ == "__main__":
    TOOL = os.path.abspath(sys.argv.pop(1))
    unittest.main()
