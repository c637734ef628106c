#!/usr/bin/python3
"""vornelle-db find over themes python3-dbf writes (dBASE III and Visual FoxPro): only each
day's first record is searched (deleted or not), never the description or a second record;
accented letters match in either case; hits come theme by theme, each in calendar order; the
exit status is grep's.

Usage: find_test.py VORNELLE_DB
"""
import json
import os
import sys
import unittest

import tool_case

# Each theme: (key, text, deleted) in table order; 1225 comes before 0101 on purpose.
ALMANAC = [("1225", "No\u00ebl au caf\u00e9", False), ("9999", "Sayings", False),
           ("0101", "New year.\r\nA CAF\u00c9 at dawn", False), ("0704", "first", False),
           ("0704", "twice", False), ("1001", "Harvest moon", True)]
GARDEN = [("9999", "Garden", False), ("0301", "Caf\u00e9 seeds", False)]

ALMANAC_CAFE = "0101\talmanac.dbf\tA CAF\u00c9 at dawn\n1225\talmanac.dbf\tNo\u00ebl au caf\u00e9\n"
GARDEN_CAFE = "0301\tgarden.dbf\tCaf\u00e9 seeds\n"
MOON = "1001\talmanac.dbf\tHarvest moon\n"


class Find(tool_case.FolderCase):
    def test_find_searches_what_the_calendar_shows(self):
        tool_case.make_theme_with_python_dbf(self.path("almanac.dbf"), ALMANAC)
        tool_case.make_theme_with_python_dbf(self.path("garden.dbf"), GARDEN, "vfp")
        with open(self.path("Vornel.Ini"), "w") as f:
            f.write("[THEMES]\nThemeLINES=2\nDB_0=garden.dbf\nDB_1=gone.dbf\n")
        gone = "Theme File Not Found, Left Out: gone.dbf\n"
        # (arguments, status, stdout, stderr or a part of it)
        for args, status, stdout, stderr in (
                (["CAF\u00c9", "almanac.dbf", "garden.dbf"], 0, ALMANAC_CAFE + GARDEN_CAFE, ""),
                (["caf\u00e9", "garden.dbf", "almanac.dbf"], 0, GARDEN_CAFE + ALMANAC_CAFE, ""),
                (["moon", "almanac.dbf"], 0, MOON, ""),  # a deleted first record still shows
                (["twice", "almanac.dbf"], 1, "", ""),  # a day's second record never shows
                (["sayings", "almanac.dbf"], 1, "", ""),  # nor does the description
                (["caf\u00e9"], 0, GARDEN_CAFE, gone),
                (["--all", "caf\u00e9"], 0, ALMANAC_CAFE + GARDEN_CAFE, ""),
                (["nowhere", "--all"], 1, "", ""),
                # --case keeps capitals but still ignores accents; --word wants no letter or
                # digit touching the text, and a text that ends in no letter may touch one.
                (["--case", "Cafe", "almanac.dbf", "garden.dbf"], 0, GARDEN_CAFE, ""),
                (["--case", "CAF\u00c9", "almanac.dbf"], 0, "0101\talmanac.dbf\tA CAF\u00c9 at dawn\n", ""),
                (["--word", "moo", "almanac.dbf"], 1, "", ""),
                (["--word", "moon", "almanac.dbf"], 0, MOON, ""),
                (["--word", "Caf\u00e9 ", "garden.dbf"], 0, GARDEN_CAFE, ""),
                (["--word", "--case", "Moon", "almanac.dbf"], 1, "", ""),
                (["moon", "missing.dbf", "almanac.dbf"], 2, MOON, "File not found"),
                ([], 2, "", "Usage: vornelle-db find"),
                (["moon", "--all", "almanac.dbf"], 2, "", "--all takes no THEME")):
            with self.subTest(args=args):
                done = tool_case.run("find", "--folder", self.dir, *args)
                self.assertEqual((done.returncode, done.stdout), (status, stdout), done.stderr)
                if stderr.endswith("\n") or not stderr:
                    self.assertEqual(done.stderr, stderr)
                else:
                    self.assertIn(stderr, done.stderr)
        self.assertEqual(sorted(os.listdir(self.dir)),  # nothing is created
                         ["Vornel.Ini", "almanac.dbf", "almanac.dbt", "garden.dbf", "garden.fpt"])

    def test_json_names_each_hit_with_its_theme(self):
        tool_case.make_theme_with_python_dbf(self.path("almanac.dbf"), ALMANAC)
        done = tool_case.run("find", "--folder", self.dir, "--json", "HARVEST", "almanac")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(json.loads(done.stdout), [
            {"key": "1001", "file": "almanac", "description": "Sayings", "line": "Harvest moon"}])
        nothing = tool_case.run("find", "--folder", self.dir, "--json", "twice", "almanac")
        self.assertEqual((nothing.returncode, json.loads(nothing.stdout)), (1, []))


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
