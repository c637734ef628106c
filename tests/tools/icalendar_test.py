#!/usr/bin/python3
"""Themes beyond one folder and in calendar programs: the system's theme folders as
`vornelle-db themes --user-folder` lists them, and themes written as iCalendar files, read back
by python3-icalendar and imported by khal.

Usage: icalendar_test.py VORNELLE_DB
"""
import datetime
import json
import os
import subprocess
import sys
import unittest

import icalendar

import tool_case
from tool_case import FolderCase, run, run_limited

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ics")

THEME_TEXT = """@9999
Sayings, "quoted"; with a \\ backslash
@0101
Well begun, they say; is half done.
A second line \\ with a backslash.
@0228
End of February: a long line of text, long enough to be folded into several lines, äöü ÄÖÜ ß ½
@0229
Leap day.
@0301
March.
"""


class UserFolder(FolderCase):
    def test_system_themes_are_listed_after_the_users_and_shadowed_by_them(self):
        home, local, system = self.path("home"), self.path("local"), self.path("system")
        os.makedirs(home + "/vornelle")
        for folder in (local, system):
            os.makedirs(folder + "/vornelle/themes")
        themes = {home + "/vornelle/garden.dbf": "My garden",
                  local + "/vornelle/themes/extra.dbf": "Local extra",
                  system + "/vornelle/themes/GARDEN.DBF": "System garden",
                  system + "/vornelle/themes/extra.dbf": "System extra",
                  system + "/vornelle/themes/birds.dbf": "Birds"}
        for table, description in themes.items():
            with open(self.path("t.txt"), "w") as f:
                f.write("@9999\n%s\n@0101\nx\n" % description)
            self.ok("theme", "import", self.path("t.txt"), table)
        env = dict(os.environ, XDG_DATA_HOME=home, XDG_DATA_DIRS="relative:%s:%s" % (local, system))
        done = subprocess.run([tool_case.TOOL, "themes", "--user-folder", "--json"], capture_output=True,
                              text=True, env=env)
        self.assertEqual(done.returncode, 0, done.stderr)
        listed = [(t["file"], t["description"], t["system"]) for t in json.loads(done.stdout)]
        local_themes, system_themes = local + "/vornelle/themes", system + "/vornelle/themes"
        self.assertEqual(listed[:3], [("garden.dbf", "My garden", None),
                                      ("extra.dbf", "Local extra", local_themes),
                                      ("birds.dbf", "Birds", system_themes)])
        # The program's own samples may follow; no theme is listed twice.
        self.assertEqual(len({name.lower() for name, _, _ in listed}), len(listed))
        text = subprocess.run([tool_case.TOOL, "themes", "--user-folder"], capture_output=True, text=True,
                              env=env).stdout
        self.assertIn("Birds  [%s]" % system_themes, text)
        self.assertIn("--folder and --user-folder", self.fails("themes", "--user-folder", "--folder", "."))


class ICalendarOut(FolderCase):
    def setUp(self):
        super().setUp()
        with open(self.path("sayings.txt"), "w") as f:
            f.write(THEME_TEXT)
        self.ok("theme", "import", self.path("sayings.txt"), self.path("sayings.dbf"))
        self.ok("theme", "export", "--to", "ics", self.path("sayings.dbf"), "--output", self.path("sayings.ics"))
        with open(self.path("sayings.ics"), "rb") as f:
            self.raw = f.read()

    def test_python_icalendar_reads_every_field(self):
        calendar = icalendar.Calendar.from_ical(self.raw)
        self.assertEqual(str(calendar["X-WR-CALNAME"]), 'Sayings, "quoted"; with a \\ backslash')
        self.assertEqual(str(calendar["VERSION"]), "2.0")
        events = {e["UID"]: e for e in calendar.walk("VEVENT")}
        self.assertEqual(sorted(events), ["0101.sayings@vornelle", "0228.sayings@vornelle",
                                          "0229.sayings@vornelle", "0301.sayings@vornelle"])
        first = events["0101.sayings@vornelle"]
        self.assertEqual(str(first["SUMMARY"]), "Well begun, they say; is half done.")
        self.assertEqual(str(first["DESCRIPTION"]),
                         "Well begun, they say; is half done.\nA second line \\ with a backslash.")
        self.assertEqual(first["DTSTART"].dt, datetime.date(2000, 1, 1))
        self.assertEqual(first["DTEND"].dt, datetime.date(2000, 1, 2))
        self.assertEqual(dict(first["RRULE"]), {"FREQ": ["YEARLY"]})
        self.assertIsInstance(first["DTSTAMP"].dt, datetime.datetime)
        self.assertIn("½", str(events["0228.sayings@vornelle"]["SUMMARY"]))
        self.assertEqual(events["0229.sayings@vornelle"]["DTSTART"].dt, datetime.date(2000, 2, 29))

    def test_khal_imports_it_and_lists_each_day_leap_day_only_in_leap_years(self):
        khal = self.path("khal")
        os.makedirs(khal + "/calendar")
        with open(khal + "/config", "w") as f:
            f.write("[calendars]\n[[themes]]\npath = %s/calendar/\ntype = calendar\n"
                    "[locale]\ntimeformat = %%H:%%M\ndateformat = %%Y-%%m-%%d\n"
                    "longdateformat = %%Y-%%m-%%d\ndatetimeformat = %%Y-%%m-%%d %%H:%%M\n"
                    "longdatetimeformat = %%Y-%%m-%%d %%H:%%M\ndefault_timezone = UTC\n"
                    "local_timezone = UTC\n" % khal)
        env = dict(os.environ, HOME=khal, XDG_DATA_HOME=khal + "/data", XDG_CONFIG_HOME=khal + "/config.d")

        def khal_run(*args):
            done = subprocess.run(["khal", "-c", khal + "/config"] + list(args), capture_output=True, text=True,
                                  env=env)
            self.assertEqual(done.returncode, 0, done.stderr)
            return done.stdout

        khal_run("import", "--batch", "-a", "themes", self.path("sayings.ics"))
        for day, listed in [("2024-02-28", "End of February"), ("2024-02-29", "Leap day."),
                            ("2023-02-28", "End of February"), ("2023-03-01", "March."),
                            ("2026-01-01", "Well begun, they say; is half done.|Well begun, they say; is half "
                                           "done.\nA second line \\ with a backslash.")]:
            shown = khal_run("list", "-df", "", "--format", "{title}|{description}", day, day)
            self.assertTrue(shown.startswith(listed), (day, shown))
        # 2023 has no 29 February: 28 February and 1 March only.
        shown = khal_run("list", "-df", "", "--format", "{title}", "2023-02-27", "2023-03-01")
        self.assertNotIn("Leap day.", shown)

    def test_a_second_export_keeps_the_uids(self):
        self.ok("theme", "export", "--to", "ics", self.path("sayings.dbf"), "--output", self.path("again.ics"))
        with open(self.path("again.ics"), "rb") as f:
            again = f.read()

        def uids(raw):
            return [line for line in raw.split(b"\r\n") if line.startswith(b"UID:")]
        self.assertEqual(uids(again), uids(self.raw))
        self.assertIn("--to takes text or ics", self.fails("theme", "export", "--to", "vcf", self.path("sayings.dbf")))


class ICalendarIn(FolderCase):
    def import_ics(self, source, *options):
        done = run_limited("theme", "import", "--from", "ics", source, self.path("made.dbf"), *options)
        return done

    def exported(self):
        return self.ok("theme", "export", self.path("made.dbf")).split("\n", 1)[1]

    def test_files_other_programs_wrote(self):
        cases = [
            ("python-icalendar.ics",
             "@9999\nGarden year\n@0229\nLeap day: plant nothing\n"
             "@0301\nSow the peas; early, if the soil is dry\nCover them against the birds.\n\nPrune the roses\n"
             "Sharp shears: a clean cut heals, a torn one rots, and the rose remembers it all summer long "
             "(é, ü, ½).\n@0513\nLast frost, they say\n@0922\nHarvest\n",
             ["1 event without a date was left out (no DTSTART)",
              "1 yearly event on no fixed day was left out (weekday rules)",
              "1 change to one occurrence was left out (RECURRENCE-ID)"]),
            ("khal-events.ics",
             "@9999\nkhal-events.ics\n@0229\nLeap day\n@0315\nIdes of March meeting\nBring the agenda\n"
             "@0704\nIndependence Day; fireworks, parades\nFlags out, please\nand a second line\n"
             "@1225\nChristmas morning\n", []),
        ]
        for name, text, warnings in cases:
            with self.subTest(name):
                if os.path.exists(self.path("made.dbf")):
                    os.remove(self.path("made.dbf"))
                done = self.import_ics(os.path.join(DATA, name))
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertEqual(self.exported(), text)
                self.assertEqual([line.split(": ", 1)[1] for line in done.stderr.splitlines()], warnings)

    def test_round_trip_keeps_every_days_text(self):
        with open(self.path("sayings.txt"), "w") as f:
            f.write(THEME_TEXT)
        self.ok("theme", "import", self.path("sayings.txt"), self.path("sayings.dbf"))
        self.ok("theme", "export", "--to", "ics", self.path("sayings.dbf"), "--output", self.path("sayings.ics"))
        done = self.import_ics(self.path("sayings.ics"))
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(self.exported(), self.ok("theme", "export", self.path("sayings.dbf")).split("\n", 1)[1])
        self.ok("theme", "export", "--to", "ics", self.path("made.dbf"), "--output", self.path("again.ics"))
        with open(self.path("sayings.ics"), "rb") as first, open(self.path("again.ics"), "rb") as second:
            strip = lambda raw: [l for l in raw.split(b"\r\n") if not l.startswith((b"DTSTAMP", b"UID"))]
            self.assertEqual(strip(first.read()), strip(second.read()))

    def test_hostile_and_broken_files_are_refused_naming_the_line(self):
        os.mkfifo(self.path("fifo"))
        os.symlink(self.path("fifo"), self.path("link.ics"))
        with open(self.path("huge.ics"), "wb") as f:
            f.truncate(17 << 20)
        broken = {"unclosed.ics": ("BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n",
                                   "line 3: BEGIN:VEVENT (line 2) never ends"),
                  "vcard.ics": ("BEGIN:VCARD\r\nFN:Someone\r\nEND:VCARD\r\n",
                                "line 1: not an iCalendar file: BEGIN:VCALENDAR expected"),
                  "date.ics": ("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:2024-07-04\nSUMMARY:x\nEND:VEVENT\n"
                               "END:VCALENDAR\n", "line 3: DTSTART 2024-07-04 is no date"),
                  "euro.ics": ("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20240704\nSUMMARY:5 €\nEND:VEVENT\n"
                               "END:VCALENDAR\n", "line 4: a character the tables' code page (DOS 437) cannot hold"),
                  "empty.ics": ("BEGIN:VCALENDAR\nEND:VCALENDAR\n", "no event with a date")}
        for name, (text, _) in broken.items():
            with open(self.path(name), "w") as f:
                f.write(text)
        cases = [(self.path("fifo"), "not a regular file"), (self.path("link.ics"), "not a regular file"),
                 (self.dir, "not a regular file"), ("/dev/zero", "not a regular file"),
                 (self.path("huge.ics"), "larger than")]
        cases += [(self.path(name), problem) for name, (_, problem) in broken.items()]
        for source, problem in cases:
            with self.subTest(source):
                done = self.import_ics(source)
                self.assertEqual(done.returncode, 1, done.stderr)
                self.assertIn(problem, done.stderr)
                self.assertFalse(os.path.exists(self.path("made.dbf")))


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
