#!/usr/bin/python3
"""vornelle-db day --from --to: each day of the range as day --date prints it, after its date;
with --json the list of day --date --json's objects; bad ranges refused.

Usage: day_range_test.py VORNELLE_DB
"""
import json
import sys
import unittest

import tool_case

ALMANAC = [("9999", "Sayings", False), ("0228", "Last of February.", False),
           ("0229", "Leap day.\r\nOnce in four years.", True), ("0301", "March.", False)]
GARDEN = [("9999", "Garden", False), ("0301", "Sow peas.", False), ("0301", "A second record.", False)]


class DayRange(tool_case.FolderCase):
    def setUp(self):
        super().setUp()
        tool_case.make_theme_with_python_dbf(self.path("almanac.dbf"), ALMANAC)
        tool_case.make_theme_with_python_dbf(self.path("garden.dbf"), GARDEN)
        with open(self.path("Vornel.Ini"), "w") as f:
            f.write("[THEMES]\nThemeLINES=2\nDB_0=almanac.dbf\nDB_1=garden.dbf\n")

    def day(self, *args):
        return tool_case.run("day", "--folder", self.dir, *args)

    def test_a_range_is_its_days_one_after_the_other(self):
        for first, last, dates in (
                ("2024-02-28", "2024-03-01", ["2024-02-28", "2024-02-29", "2024-03-01"]),
                ("2023-02-28", "2023-03-01", ["2023-02-28", "2023-03-01"]),
                ("2024-12-31", "2025-01-01", ["2024-12-31", "2025-01-01"]),
                ("2024-03-01", "2024-03-01", ["2024-03-01"])):
            with self.subTest(first=first, last=last):
                done = self.day("--from", first, "--to", last)
                self.assertEqual((done.returncode, done.stderr), (0, ""))
                days = [date + "\n" + self.day("--date", date).stdout for date in dates]
                self.assertEqual(done.stdout, "\n".join(days))
                listed = self.day("--from", first, "--to", last, "--json")
                self.assertEqual(json.loads(listed.stdout),
                                 [json.loads(self.day("--date", date, "--json").stdout) for date in dates])

    def test_bad_ranges_are_refused(self):
        for args, said in (
                (["--from", "2024-03-02", "--to", "2024-03-01"], "--from comes after --to"),
                (["--from", "2024-03-01"], "--from and --to go together"),
                (["--from", "2024-02-30", "--to", "2024-03-01"], "--from takes a date as YYYY-MM-DD"),
                (["--from", "2024-03-01", "--to", "2024-03-02", "--once"], "neither --date nor --once")):
            with self.subTest(args=args):
                done = self.day(*args)
                self.assertEqual((done.returncode, done.stdout), (1, ""))
                self.assertIn(said, done.stderr)

    def test_an_unreadable_theme_is_named_and_the_others_printed(self):
        done = self.day("--from", "2024-03-01", "--to", "2024-03-01", "almanac.dbf", "gone.dbf")
        self.assertEqual((done.returncode, done.stdout), (1, "2024-03-01\nMarch.\n"))
        self.assertIn("gone.dbf", done.stderr)


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
