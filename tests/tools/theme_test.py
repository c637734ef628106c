#!/usr/bin/python3
"""vornelle-db day, themes and theme export | import | check as a user runs them, on theme
tables vornelle-db writes and on themes python3-dbf and Perl XBase write: deleted records, two
records for one key, OEM text such as ü and ß, 0229, an empty memo, a NUL in a message; and
imports killed at every step of replacing a theme.

Usage: theme_test.py VORNELLE_DB
"""
import fcntl
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

import tool_case

import dbfread

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


def make_with_perl(path, records):
    spec = path + ".json"
    with open(spec, "w", encoding="utf-8") as f:
        json.dump([{"key": k, "text": t, "deleted": d} for k, t, d in records], f)
    subprocess.run(["perl", os.path.join(HERE, "xbase_peer.pl"), "theme", path, spec], check=True)


MAKERS = {
    "vornelle-db": make_with_tool,
    "python3-dbf dBASE III": lambda p, r: tool_case.make_theme_with_python_dbf(p, r, "db3"),
    "python3-dbf FoxPro": lambda p, r: tool_case.make_theme_with_python_dbf(p, r, "fp"),
    "python3-dbf Visual FoxPro": lambda p, r: tool_case.make_theme_with_python_dbf(p, r, "vfp"),
    "Perl XBase": make_with_perl,
}


class Themes(tool_case.FolderCase):
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
        self.make("vornelle-db", "plain.dbf", [("0704", "no description", False)])
        done = run("day", "--date", "2024-01-01", "--json", "almanac.dbf", "plain.dbf", cwd=self.dir)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(json.loads(done.stdout), {
            "date": "2024-01-01", "key": "0101", "themes": [
                {"file": "almanac.dbf", "description": "Sayings \u00fc\u00df",
                 "lines": ["New year.", "Second line."]},
                {"file": "plain.dbf", "description": None, "lines": None}]})
        # A theme that is not there is named and left out; the others are printed all the same.
        done = run("day", "--date", "2024-01-01", "--json", "missing.dbf", "almanac.dbf", cwd=self.dir)
        self.assertEqual((done.returncode, done.stderr), (1, "Theme File Not Found, Left Out: missing.dbf\n"))
        self.assertEqual([t["file"] for t in json.loads(done.stdout)["themes"]], ["almanac.dbf"])
        self.assertFalse(os.path.exists(self.path("missing.dbf")))  # nothing is created
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

    def test_a_nul_in_a_message_is_kept_and_shown(self):
        # Stored by another program: the memo's bytes are changed in place.
        self.make("vornelle-db", "nul.dbf", [("9999", "Nul", False), ("0101", "abQcd\r\nsecond", False),
                                             ("0102", "next", False)])
        with open(self.path("nul.dbt"), "r+b") as memo:
            data = memo.read()
            memo.seek(data.index(b"abQcd") + 2)
            memo.write(b"\0")
        # A terminal is shown it; the JSON and the text form keep it.
        day = run("day", "--date", "2024-01-01", "--folder", self.dir, "nul.dbf")
        self.assertEqual((day.stdout, day.returncode), ("ab^@cd\nsecond\n", 0), day.stderr)
        day = run("day", "--json", "--date", "2024-01-01", "--folder", self.dir, "nul.dbf")
        self.assertEqual(json.loads(day.stdout)["themes"][0]["lines"], ["ab\0cd", "second"])
        exported = run("theme", "export", self.path("nul.dbf"), "--output", self.path("nul.txt"))
        self.assertEqual(exported.returncode, 0, exported.stderr)
        with open(self.path("nul.txt"), encoding="utf-8") as f:
            self.assertTrue(f.read().endswith("@9999\nNul\n@0101\nab\0cd\nsecond\n@0102\nnext\n"))
        self.assertEqual(run("theme", "import", self.path("nul.txt"), self.path("back.dbf")).returncode, 0)
        listed = [json.loads(l) for l in run("list", self.path("back.dbf"), "--format", "json").stdout.splitlines()]
        self.assertEqual([(r["THEDATE"], r["THEJOKE"]) for r in listed],
                         [("9999", "Nul"), ("0101", "ab\0cd\r\nsecond"), ("0102", "next")])

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
        # A header that counts fewer records than the file holds, as a writer killed after its
        # append leaves it.
        with open(self.path("almanac.dbf"), "r+b") as f:
            f.seek(4)
            f.write(struct.pack("<I", 5))
        self.assertIn("the header counts 5 records, the file holds 7: programs that go by the header do not see "
                      "the last 2", run("theme", "check", self.path("almanac.dbf")).stdout)
        # Every reader of ours still sees the records past the count, the byte-tested filter too.
        for expression in ('(THEDATE="1225")', '.T.'):
            listed = run("list", self.path("almanac.dbf"), "--filter", expression, "--format", "json")
            self.assertIn('"THEDATE": "1225"', listed.stdout, expression)


# A theme replaced by an import that is killed: keys and memo blocks differ, so a table read
# beside the other table's memo file reads as neither.
OLD_THEME = [("9999", "Old theme"), ("0101", "Old new year,\r\nin two lines"), ("0102", "Old second")]
NEW_THEME = [("9999", "New theme"), ("0101", "New year"), ("0103", "Third"), ("0104", "Fourth")]
# (old kind, new kind): the same memo file name, and switches that change it.
KINDS = [("dbase4", "dbase4"), ("dbase4", "foxpro"), ("foxpro", "dbase3")]
# The calls the import is killed at, each in turn (strace's syntax): the renames, removals and
# syncs of the replacement, writes (the marker's), the import folder's making and removal.
KILL_CALLS = ["/^(rename|renameat2?)$", "/^unlink(at)?$", "/^f(data)?sync$", "/^write$",
              "/^mkdir(at)?$", "/^rmdir$"]
MEMO = {"dbase3": ".dbt", "dbase4": ".dbt", "foxpro": ".fpt"}


def theme_text(records):
    return "".join("@%s\n%s\n" % (key, text.replace("\r\n", "\n")) for key, text in records)


class InterruptedImports(unittest.TestCase):
    """An import killed anywhere leaves the old theme or the new one, for this tool and for
    other programs, and the next import leaves no file of it behind."""

    def setUp(self):
        # Memory-backed when there is such a folder: every import syncs, and a disk makes that slow.
        self.folder = tempfile.TemporaryDirectory(dir="/dev/shm" if os.path.isdir("/dev/shm") else None)
        self.dir = self.folder.name
        self.texts = {}
        for name, records in (("old", OLD_THEME), ("new", NEW_THEME), ("other", [("9999", "Other")])):
            self.texts[name] = os.path.join(self.dir, name + ".txt")
            with open(self.texts[name], "w") as f:
                f.write(theme_text(records))

    def tearDown(self):
        self.folder.cleanup()

    def theme_folder(self, name, kind):
        folder = os.path.join(self.dir, name)
        os.mkdir(folder)
        done = run("theme", "import", self.texts["old"], os.path.join(folder, "th.dbf"), "--kind", kind)
        self.assertEqual(done.returncode, 0, done.stderr)
        return folder

    def read_by_tool(self, folder):
        """The theme as list, day and theme check read it, as OLD_THEME or NEW_THEME."""
        listed = run("list", "th.dbf", "--format", "json", cwd=folder)
        self.assertEqual(listed.returncode, 0, listed.stderr)
        rows = [tuple(json.loads(l)[f] for f in ("THEDATE", "THEJOKE")) for l in listed.stdout.splitlines()]
        self.assertIn(rows, (OLD_THEME, NEW_THEME))
        day = run("day", "--date", "2024-01-01", "th.dbf", cwd=folder)
        self.assertEqual(day.stdout, dict(rows)["0101"].replace("\r\n", "\n") + "\n", day.stderr)
        check = run("theme", "check", "th.dbf", cwd=folder)
        self.assertIn("no message for %d of the 366 days" % (367 - len(rows)), check.stdout, check.stderr)
        return rows

    def read_by_dbfread(self, folder):
        table = dbfread.DBF(os.path.join(folder, "th.dbf"), encoding="cp437", char_decode_errors="strict")
        # It reads a dBASE IV value with the 8 bytes of its block header counted in (NULs here).
        rows = [(r["THEDATE"], r["THEJOKE"].rstrip("\0")) for r in table]
        self.assertIn(rows, (OLD_THEME, NEW_THEME))
        return rows

    def import_other_theme(self, folder):
        done = run("theme", "import", self.texts["other"], os.path.join(folder, "other.dbf"))
        self.assertEqual(done.returncode, 0, done.stderr)

    def assert_nothing_left(self, folder, kind):
        self.assertEqual(sorted(os.listdir(folder)), ["other.dbf", "other.dbt", "th.dbf", "th" + MEMO[kind]])

    # The leak checker of a sanitizer build cannot run under a tracer.
    TRACED_ENV = dict(os.environ, ASAN_OPTIONS=":".join(
        filter(None, [os.environ.get("ASAN_OPTIONS"), "detect_leaks=0"])))

    def test_a_killed_import_leaves_the_old_theme_or_the_new(self):
        strace = shutil.which("strace")
        if not strace:
            self.skipTest("strace is not installed (scripts/setup.sh installs it)")
        if subprocess.run([strace, "-qq", "-o", "/dev/null", "true"]).returncode != 0:
            self.skipTest("strace cannot trace here (ptrace is not permitted)")
        for old_kind, new_kind in KINDS:
            for calls in KILL_CALLS:
                nth, killed = 0, True
                while killed:
                    nth += 1
                    with self.subTest(kinds=(old_kind, new_kind), calls=calls, nth=nth):
                        folder = self.theme_folder("killed", old_kind)
                        done = subprocess.run(
                            [strace, "-qq", "-o", "/dev/null", "-e", "trace=" + calls,
                             "-e", "inject=%s:signal=SIGKILL:when=%d" % (calls, nth), TOOL, "theme", "import",
                             self.texts["new"], os.path.join(folder, "th.dbf"), "--force", "--kind", new_kind],
                            capture_output=True, text=True, env=self.TRACED_ENV)
                        self.assertIn(done.returncode, (0, -9, 128 + 9), done.stderr)
                        killed = done.returncode != 0
                        # Read by this tool first (which finishes a committed replacement), or
                        # first by another program after the next import in the folder.
                        copy = os.path.join(self.dir, "copy")
                        shutil.copytree(folder, copy)
                        rows = self.read_by_tool(folder)
                        self.assertEqual(self.read_by_dbfread(folder), rows)
                        self.import_other_theme(folder)
                        kind = new_kind if rows == NEW_THEME else old_kind
                        self.assert_nothing_left(folder, kind)
                        self.import_other_theme(copy)
                        self.assertEqual(self.read_by_dbfread(copy), rows)
                        self.assert_nothing_left(copy, kind)
                        if not killed:
                            self.assertEqual(rows, NEW_THEME)
                    shutil.rmtree(os.path.join(self.dir, "killed"), ignore_errors=True)
                    shutil.rmtree(os.path.join(self.dir, "copy"), ignore_errors=True)
                    self.assertLess(nth, 100, "the import never ran through")

    def test_the_next_import_clears_only_what_ended_imports_left(self):
        folder = self.theme_folder("leftovers", "dbase4")
        child = subprocess.Popen(["true"])
        child.wait()
        ended, running = child.pid, os.getpid()
        # name -> whether it stays. An import's folder stays while an import holds its lock
        # file, whatever the number in its name (another PID namespace may have made it); earlier
        # versions' files, which no lock guards, stay while their process runs.
        held = ".vornelle-import-%d" % (ended + 1)
        leftovers = {".vornelle-import-%d" % ended: False, ".vornelle-import-%d" % running: False,
                     ".vornelle-import-Ab12Cd": False, held: True,
                     ".vornelle-import-%d.dbf" % ended: False, ".vornelle-import-%d.dbt" % ended: False,
                     ".vornelle-import-%d.fpt" % ended: False, ".vornelle-import-%d.dbf" % running: True,
                     ".vornelle-import-%d.txt" % ended: True, ".vornelle-import-.dbf": True,
                     ".th.dbf.partial": True}
        for name in leftovers:
            if "." in name[1:]:
                open(os.path.join(folder, name), "w").close()
            else:
                os.mkdir(os.path.join(folder, name))
                open(os.path.join(folder, name, "th.dbf"), "w").close()
        holder = os.open(os.path.join(folder, held, "lock"), os.O_RDWR | os.O_CREAT)
        try:
            fcntl.flock(holder, fcntl.LOCK_EX)
            self.import_other_theme(folder)
        finally:
            os.close(holder)
        self.assertEqual({n: os.path.exists(os.path.join(folder, n)) for n in leftovers}, leftovers)

    def test_a_replacement_touches_only_the_files_of_the_table_it_names(self):
        # Tables whose names differ only in case are two tables: each keeps its memo file.
        for present, target, force in ((["JOKES", "jokes"], "jokes.dbf", True),
                                       (["JOKES"], "jokes.dbf", False),
                                       (["JOKES"], "jokes.dbf", True)):
            with self.subTest(present=present, target=target):
                folder = os.path.join(self.dir, "case")
                shutil.rmtree(folder, ignore_errors=True)
                os.mkdir(folder)
                for stem in present:
                    done = run("theme", "import", self.texts["old"] if stem.isupper() else self.texts["other"],
                               os.path.join(folder, stem + (".DBF" if stem.isupper() else ".dbf")))
                    self.assertEqual(done.returncode, 0, done.stderr)
                done = run("theme", "import", self.texts["new"], os.path.join(folder, target),
                           *(["--force"] if force else []))
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(sorted(os.listdir(folder)), ["JOKES.DBF", "JOKES.DBT", "jokes.dbf", "jokes.dbt"])
                upper = run("list", "JOKES.DBF", "--format", "json", cwd=folder)
                self.assertEqual([json.loads(l)["THEJOKE"] for l in upper.stdout.splitlines()],
                                 [text for _, text in OLD_THEME], upper.stderr)
                lower = run("list", "jokes.dbf", "--format", "json", cwd=folder)
                self.assertEqual([json.loads(l)["THEJOKE"] for l in lower.stdout.splitlines()],
                                 [text for _, text in NEW_THEME], lower.stderr)

    def test_a_marker_moves_only_the_tables_own_files(self):
        folder = self.theme_folder("markers", "dbase4")
        with open(os.path.join(self.dir, "outside.dbf"), "w") as f:
            f.write("not to be moved")
        marker = os.path.join(folder, ".th.dbf.replacing")
        head = b"vornelle table replacement 1\0"
        for content, finished in (
                (b"junk", False),
                (head + b"rename\0../outside.dbf\0th.dbf\0end\0", False),
                (head + b"remove\0other.dbf\0end\0", False),
                (head + b"rename\0.gone/th.dbt\0th.dbt\0", False),  # no end: not whole
                (head + b"rename\0.gone/th.dbt\0th.dbt\0rename\0.gone/th.dbf\0th.dbf\0end\0", True)):
            with self.subTest(content=content):
                with open(marker, "wb") as f:
                    f.write(content)
                listed = run("list", "th.dbf", "--count", cwd=folder)
                if finished:
                    self.assertEqual((listed.stdout, listed.returncode), ("3\n", 0), listed.stderr)
                else:
                    self.assertEqual(listed.returncode, 1)
                    self.assertIn("Error # 13 (Data invalid)\n%s names no replacement of" % marker, listed.stderr)
                self.assertEqual(os.path.exists(marker), not finished)
                self.assertTrue(os.path.exists(os.path.join(self.dir, "outside.dbf")))


def leap_year_keys():
    return [k for k in ("%02d%02d" % (m, d) for m in range(1, 13) for d in range(1, 32))
            if k not in ("0230", "0231", "0431", "0631", "0931", "1131")]


class DamagedThemes(tool_case.FolderCase):
    """A whole theme (a description and 366 days, records 1 to 367), then damaged as a broken
    writer or a cut copy leaves it: every command that meets the damage says so."""

    def setUp(self):
        super().setUp()
        text = "@9999\nWhole\n" + "".join("@%s\nMessage of %s\n" % (k, k) for k in leap_year_keys())
        with open(self.path("whole.txt"), "w") as f:
            f.write(text)
        self.assertEqual(run("theme", "import", self.path("whole.txt"), self.path("th.dbf")).returncode, 0)
        with open(self.path("th.dbf"), "rb") as f:
            table = f.read()
        self.header, self.record = int.from_bytes(table[8:10], "little"), int.from_bytes(table[10:12], "little")

    def poke(self, name, offset, data):
        with open(self.path(name), "r+b") as f:
            f.seek(offset)
            f.write(data)

    def pointer(self, recno, text):  # THEJOKE, ten characters after THEDATE
        self.poke("th.dbf", self.header + (recno - 1) * self.record + 5, text.rjust(10).encode())

    def empty_block(self):
        with open(self.path("th.dbt"), "r+b") as f:
            block = (f.seek(0, 2) + 511) // 512
            f.seek(block * 512)
            f.write(b"\xff\xff\x08\x00\x08\x00\x00\x00".ljust(512, b"\0"))
        return str(block)

    def test_every_command_says_what_it_could_not_read(self):
        # (damage, check's lines, what find says, what day says for 0101 or None when it prints it all)
        cases = [
            ("negative", "th.dbf: record 2: its memo pointer \"        -5\" is no block number\n", None, None),
            ("garbage", "th.dbf: record 2: its memo pointer \"       abc\" is no block number\n", None, None),
            ("past the memo file", "th.dbf: record 2: its message cannot be read: Error # ", "Error # ", "Error # "),
            ("an empty block", "th.dbf: record 2: the message for 0101 is empty\n", None, None),
            ("cut to 199 records", "th.dbf: the file holds 199 of the 367 records its header counts\n",
             "th.dbf: the file holds 199 of the 367 records its header counts",
             "th.dbf: the file holds 199 of the 367 records its header counts"),
            ("a numeric THEDATE", "th.dbf is no theme table: it needs THEDATE (character) and THEJOKE (memo)",
             "th.dbf is no theme table: it needs THEDATE (character) and THEJOKE (memo)", "Error # "),
        ]
        whole = run("theme", "check", self.path("th.dbf"))
        self.assertEqual((whole.returncode, whole.stdout),
                         (0, self.path("th.dbf") + ": \"Whole\", a message for each of the 366 days\n"))
        backup = {n: open(self.path(n), "rb").read() for n in ("th.dbf", "th.dbt")}
        for damage, checked, found, day in cases:
            with self.subTest(damage=damage):
                for name, data in backup.items():
                    with open(self.path(name), "wb") as f:
                        f.write(data)
                if damage == "negative":
                    self.pointer(2, "-5")
                elif damage == "garbage":
                    self.pointer(2, "abc")
                elif damage == "past the memo file":
                    self.pointer(2, "999999")
                elif damage == "an empty block":
                    self.pointer(2, self.empty_block())
                elif damage.startswith("cut"):
                    os.truncate(self.path("th.dbf"), self.header + 199 * self.record)
                else:
                    self.poke("th.dbf", 32 + 11, b"N")
                check = tool_case.run_limited("theme", "check", "th.dbf", cwd=self.dir)
                self.assertEqual(check.returncode, 1, check.stdout + check.stderr)
                self.assertIn(checked, check.stdout + check.stderr)
                # An empty message is a message the text form holds; what could not be read is not.
                exported = tool_case.run_limited("theme", "export", "th.dbf", cwd=self.dir)
                if damage != "an empty block":
                    self.assertEqual((exported.returncode, exported.stdout), (1, ""))
                find = tool_case.run_limited("find", "--folder", self.dir, "Message", "th.dbf")
                self.assertEqual(find.returncode, 0 if found is None else 2, find.stderr)
                if found:
                    self.assertIn(found, find.stderr)
                shown = tool_case.run_limited("day", "--date", "2024-01-01", "--folder", self.dir, "th.dbf")
                self.assertEqual(shown.returncode, 0 if day is None else 1, shown.stderr)
                if day:
                    self.assertIn(day, shown.stderr)

    def test_control_characters_are_shown_not_obeyed(self):
        tool_case.make_theme_with_python_dbf(self.path("esc.dbf"), [
            ("9999", "Esc\x1b]0;title\x07", False), ("0101", "\x1b[2J\tcleared\r\nnext\x7f", False)])
        # (command, stdout)
        for args, stdout in (
                (["day", "--date", "2024-01-01", "esc.dbf"], "^[[2J\tcleared\nnext^?\n"),
                (["find", "cleared", "esc.dbf"], "0101\tesc.dbf\t^[[2J cleared\n"),
                (["themes"], "%-20s %3d/366  Esc^[]0;title^G\n" % ("esc.dbf", 1))):
            with self.subTest(args=args):
                done = run(*args, cwd=self.dir)
                self.assertIn(stdout, done.stdout, done.stderr)


if __name__ == "__main__":
    TOOL = tool_case.TOOL = os.path.abspath(sys.argv.pop(1))
    unittest.main()
