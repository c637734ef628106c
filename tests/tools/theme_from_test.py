#!/usr/bin/python3
"""vornelle-db theme import --from calendar | fortune: Debian's calendar files against the
calendar utility itself for every day of a leap year, sayings of fortune files to days, and
what such an import refuses.

Usage: theme_from_test.py VORNELLE_DB
"""
import datetime
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

import tool_case
from tool_case import run

CALENDARS = "/usr/share/calendar"
# Files of fixed dates, of weekday rules and Easter besides them, in each date format, and one
# that includes others.
CALENDAR_FILES = ["calendar.history", "calendar.birthday", "calendar.computer", "calendar.holiday",
                  "calendar.music", "calendar.lotr", "calendar.usholiday", "calendar.debian",
                  "calendar.belgium", "calendar.dutch", "calendar.newzealand"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]


def events_by_utility(path, year, cwd):
    """{MMDD: [event, ...]} as the utility prints a year of the file, whitespace aside."""
    out = subprocess.run(["calendar", "-f", path, "-t", "%d0101" % year, "-A", "365", "-B", "0"],
                         capture_output=True, cwd=cwd, check=True).stdout.decode("utf-8")
    days = {}
    for line in out.splitlines():
        if line.startswith("\t"):
            days[key][-1] += " " + line
            continue
        key = "%02d%s" % (MONTHS.index(line[:3]) + 1, line[4:6])
        days.setdefault(key, []).append(line[8:])
    return {k: [" ".join(e.split()) for e in v] for k, v in days.items()}


def fixed_events(path, cwd):
    """The events of 2024 that 2020 has on the same day: weekday rules and Easter move between
    the two leap years, which begin on other weekdays."""
    days, other = events_by_utility(path, 2024, cwd), events_by_utility(path, 2020, cwd)
    fixed = {}
    for key, events in days.items():
        left = list(other.get(key, []))
        for event in events:
            if event in left:
                left.remove(event)
                fixed.setdefault(key, []).append(event)
    return fixed


def paragraphs(lines):
    return [" ".join(p.split()) for p in "\n".join(lines).split("\n\n")] if lines else []


class TempFolder(tool_case.FolderCase):
    def write(self, name, text):
        with open(self.path(name), "w", encoding="utf-8") as f:
            f.write(text)
        return self.path(name)


class FromCalendar(TempFolder):
    def test_each_day_shows_the_events_the_utility_shows(self):
        if not shutil.which("calendar"):
            self.skipTest("the calendar utility is not installed (scripts/setup.sh installs it)")
        files = [f for f in CALENDAR_FILES if os.path.exists(os.path.join(CALENDARS, f))]
        if not files:
            self.skipTest("no calendar files in " + CALENDARS)
        tables, expected = [], {}
        for name in files:
            tables.append(self.path(name + ".dbf"))
            done = run("theme", "import", "--from", "calendar", os.path.join(CALENDARS, name), tables[-1])
            self.assertEqual(done.returncode, 0, done.stderr)
            expected[name] = fixed_events(os.path.join(CALENDARS, name), self.dir)
        day = datetime.date(2024, 1, 1)
        while day.year == 2024:
            shown = json.loads(self.ok("day", "--json", "--date", day.isoformat(), *tables))
            key = day.strftime("%m%d")
            for name, theme in zip(files, shown["themes"]):
                with self.subTest(file=name, day=key):
                    self.assertEqual(theme["description"], name)
                    self.assertEqual(paragraphs(theme["lines"]), expected[name].get(key, []))
            day += datetime.timedelta(days=1)


class FromFortune(TempFolder):
    def test_sayings_fill_the_days_in_order(self):
        three = "\nFirst,\n  two lines.\n\n%\n%\nSecond\n%\nThird\n"
        many = "\n%\n".join("Saying %d" % n for n in range(1, 369)) + "\n"
        # (text, arguments, {key: lines}, description, warning)
        cases = [
            (three, [], {"0101": ["First,", "  two lines."], "0102": ["Second"], "0103": ["Third"]},
             "sayings", ""),
            (three, ["--start", "0228", "--description", "Mine"],
             {"0228": ["First,", "  two lines."], "0229": ["Second"], "0301": ["Third"]}, "Mine", ""),
            (three, ["--start", "1231"], {"1231": ["First,", "  two lines."]}, "sayings",
             "sayings: 2 sayings past 1231 left out\n"),
            (many, [], {"0229": ["Saying 60"], "1231": ["Saying 366"]}, "sayings",
             "sayings: 2 sayings past 1231 left out\n"),
        ]
        for text, arguments, days, description, warning in cases:
            with self.subTest(arguments=arguments, sayings=text.count("%") + 1):
                source = self.write("sayings", text)
                table = self.path("fortune.dbf")
                done = run("theme", "import", "--from", "fortune", "sayings", table, "--force", *arguments,
                           cwd=self.dir)
                self.assertEqual((done.returncode, done.stderr), (0, warning))
                rows = {r["THEDATE"]: r["THEJOKE"].split("\r\n") for r in
                        map(json.loads, self.ok("list", table, "--format", "json").splitlines())}
                self.assertEqual(rows.pop("9999"), [description])
                self.assertEqual({k: rows[k] for k in days}, days)
                if text == three:
                    self.assertEqual(len(rows), len(days), source)


class Refusals(TempFolder):
    def test_what_a_theme_cannot_hold_is_named_and_nothing_is_written(self):
        self.write("inc.cal", "/* included */\n01/02\tfine\n\tEuro \u20ac\n")
        self.write("top.cal", "#include \"inc.cal\"\n#include <no.such.cal>\n01/01\tok\n")
        self.write("sayings", "ok\n%\nfine\n\u4e2d\n")
        # (--from, source, further arguments, what stderr names)
        cases = [
            ("calendar", "top.cal", [],
             ["inc.cal: line 3: a character the tables' code page (DOS 437) cannot hold",
              "top.cal: line 2: #include no.such.cal: no such file beside it, in /etc/calendar or in "
              "/usr/share/calendar"]),
            ("fortune", "sayings", [], ["sayings: line 4: a character the tables' code page (DOS 437) cannot hold"]),
            ("fortune", "inc.cal", ["--description", "\u20ac"],
             ["--description: a character the tables' code page (DOS 437) cannot hold"]),
            ("calendar", "sayings", [], ["sayings: no event on a fixed day"]),
            ("fortune", "sayings", ["--start", "0230"], ["--start takes a day, MMDD (0101 to 1231)"]),
            ("text", "sayings", ["--start", "0101"], ["--start is for --from fortune"]),
            ("rss", "sayings", [], ["--from takes text, calendar, ics or fortune"]),
        ]
        for kind, source, arguments, expected in cases:
            with self.subTest(kind=kind, arguments=arguments):
                done = run("theme", "import", "--from", kind, source, "out.dbf", *arguments, cwd=self.dir)
                self.assertEqual((done.returncode, done.stdout), (1, ""))
                for line in expected:
                    self.assertIn(line, done.stderr)
                self.assertFalse(os.path.exists(self.path("out.dbf")))


class HostileSources(TempFolder):
    """Sources and includes as a downloaded archive may bring them, within a memory limit."""

    def import_(self, kind, source):
        return tool_case.run_limited("theme", "import", "--from", kind, source, "out.dbf", cwd=self.dir)

    def test_only_regular_files_within_the_bound_are_read(self):
        os.mkfifo(self.path("fifo"))
        os.symlink("/dev/zero", self.path("zero"))
        for name, size in (("huge", 17 << 20), ("half", 9 << 20), ("other half", 9 << 20)):
            with open(self.path(name), "wb") as f:
                f.truncate(size)
        self.write("top.cal", "#include \"fifo\"\n01/01\tok\n")
        self.write("halves.cal", "#include \"half\"\n#include \"other half\"\n01/01\tok\n")
        self.write("device.cal", "#include \"zero\"\n01/01\tok\n")
        # (--from, source, what stderr says)
        for kind, source, said in (
                ("fortune", "fifo", "fifo: cannot be read: not a regular file"),
                ("text", "/dev/zero", "/dev/zero: cannot be read: not a regular file"),
                ("fortune", "zero", "zero: cannot be read: not a regular file"),
                ("text", "huge", "huge: cannot be read: larger than 16 MiB"),
                ("calendar", "fifo", "fifo: not a regular file"),
                ("calendar", "top.cal", "top.cal: line 1: #include fifo: ./fifo: not a regular file"),
                ("calendar", "device.cal", "device.cal: line 1: #include zero: refused: a link leads out of ."),
                ("calendar", "halves.cal", "halves.cal: line 2: #include other half: ./other half: with the "
                                           "files read before it, larger than 16 MiB")):
            with self.subTest(kind=kind, source=source):
                done = self.import_(kind, source)
                self.assertEqual(done.returncode, 1, done.stderr)
                self.assertIn(said + "\n", done.stderr)
                self.assertFalse(os.path.exists(self.path("out.dbf")))

    def test_includes_reach_only_beside_and_the_shared_folders(self):
        outside = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, outside)
        secret = os.path.join(outside, "calendar")
        relative = os.path.relpath(secret, self.dir)
        os.symlink(secret, self.path("link"))
        refused = " are read\n"
        # (the include, what stderr says both when the file outside exists and when it does not)
        cases = [("<%s>" % secret, "#include %s: refused: only files beside top.cal, in /etc/calendar or in "
                                   "/usr/share/calendar%s" % (secret, refused)),
                 ('"%s"' % relative, "#include %s: refused: only files beside top.cal, in /etc/calendar or in "
                                     "/usr/share/calendar%s" % (relative, refused)),
                 ('"link"', "#include link: refused: a link leads out of .\n")]
        for include, said in cases:
            for exists in (True, False):
                with self.subTest(include=include, exists=exists):
                    if exists:
                        with open(secret, "w") as f:
                            f.write("01/01\tPrivate.\n")
                    elif os.path.exists(secret):
                        os.remove(secret)
                    self.write("top.cal", "#include %s\n01/02\tPublic.\n" % include)
                    done = self.import_("calendar", "top.cal")
                    self.assertEqual((done.returncode, done.stderr),
                                     (1, "top.cal: line 1: " + said + "out.dbf: nothing written\n"))
        shared = os.path.join(CALENDARS, "calendar.lotr")
        if not os.path.exists(shared):
            self.skipTest("no calendar files in " + CALENDARS)
        os.remove(self.path("link"))
        os.symlink(shared, self.path("link"))
        for include in ("<%s>" % shared, '"link"', "<calendar.lotr>"):
            with self.subTest(include=include):
                self.write("top.cal", "#include %s\n01/02\tPublic.\n" % include)
                done = tool_case.run("theme", "import", "--from", "calendar", "top.cal", "lotr.dbf", "--force",
                                     cwd=self.dir)
                self.assertEqual(done.returncode, 0, done.stderr)


if __name__ == "__main__":
    tool_case.TOOL = os.path.abspath(sys.argv.pop(1))
    unittest.main()
