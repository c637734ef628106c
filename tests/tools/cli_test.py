#!/usr/bin/python3
"""vornelle-db as a user runs it: each command, its output shapes, its errors and exit codes.

Usage: cli_test.py VORNELLE_DB
"""
import json
import os
import resource
import signal
import subprocess
import sys
import tempfile
import unittest

import tool_case
from tool_case import ToolCase




class Cli(ToolCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.table = os.path.join(self.folder.name, "theme.dbf")
        self.ok("create", self.table, "THEDATE,C,4", "THEJOKE,M", "PRICE,N,8,2", "QTY,N,5",
                "DAY,D", "FLAG,L")
        self.ok("append", self.table, "THEDATE=0704", "THEJOKE=Fireworks\ntonight", "PRICE=2.5",
                "QTY=3", "DAY=2024-07-04", "FLAG=T")
        self.ok("append", self.table, "THEDATE=9999", "THEJOKE=A theme, \"quoted\"")
        self.ok("append", self.table, "THEDATE=1225", "THEJOKE=Grüße", "DAY=2024-12-25")
        self.ok("delete", self.table, "2")

    def tearDown(self):
        self.folder.cleanup()

    def rows(self, *options):
        return [json.loads(l) for l in self.ok("list", self.table, "--format", "json", *options).splitlines()]

    def test_help(self):
        overview = self.ok("--help")
        for command in ("info", "list", "eval", "locate", "create", "append", "replace",
                        "delete", "recall"):
            self.assertIn("  " + command, overview)
            self.assertIn("Usage: vornelle-db " + command, self.ok(command, "--help"))
        self.assertIn("--filter", self.ok("list", "--help"))
        self.assertIn("unknown command", self.fails("frobnicate"))
        self.assertIn("Usage", self.fails())
        self.assertIn("Usage: vornelle-db list", self.fails("list"))
        self.assertIn("unknown option --nope", self.fails("list", self.table, "--nope"))

    def test_info(self):
        info = json.loads(self.ok("info", self.table, "--json"))
        self.assertEqual(list(info), ["version", "records", "header_records", "header_length", "record_length",
                                      "last_update", "language_driver", "driver_code_page",
                                      "code_page", "memo", "fields"])
        self.assertEqual(info["version"], "0x8B")
        self.assertEqual(info["records"], 3)
        self.assertEqual(info["header_length"], 32 * 6 + 33)
        self.assertEqual(info["record_length"], 1 + 4 + 10 + 8 + 5 + 8 + 1)
        self.assertEqual(info["memo"], {"type": "dBASE IV", "block_size": 512})
        self.assertEqual(info["fields"][2], {"name": "PRICE", "type": "N", "length": 8,
                                             "decimals": 2, "offset": 15})
        self.assertRegex(info["last_update"], r"^\d{8}$")
        plain = os.path.join(self.folder.name, "plain.dbf")
        self.ok("create", plain, "A,C,3")
        self.assertIsNone(json.loads(self.ok("info", plain, "--json"))["memo"])
        self.assertIn("record length  37", self.ok("info", self.table))

    def test_list_shapes(self):
        rows = self.rows()
        self.assertEqual(rows[0], {"_recno": 1, "_deleted": False, "THEDATE": "0704",
                                   "THEJOKE": "Fireworks\r\ntonight", "PRICE": 2.5, "QTY": 3,
                                   "DAY": "2024-07-04", "FLAG": True})
        self.assertEqual(list(rows[0]), ["_recno", "_deleted", "THEDATE", "THEJOKE", "PRICE",
                                         "QTY", "DAY", "FLAG"])
        self.assertTrue(rows[1]["_deleted"])
        self.assertEqual((rows[1]["PRICE"], rows[1]["DAY"], rows[1]["FLAG"]), (0, None, False))
        self.assertEqual(rows[2]["THEJOKE"], "Grüße")
        self.assertEqual([r["_recno"] for r in self.rows("--hide-deleted")], [1, 3])
        self.assertEqual([r["_recno"] for r in self.rows("--filter", 'THEDATE = "12"')], [3])
        self.assertEqual(self.ok("list", self.table, "--count"), "3\n")
        self.assertEqual(self.ok("list", self.table, "--count", "--hide-deleted",
                                 "--filter", "QTY > 1"), "1\n")
        csv = self.ok("list", self.table, "--format", "csv")
        self.assertTrue(csv.startswith("_recno,_deleted,THEDATE,THEJOKE,PRICE,QTY,DAY,FLAG\n"))
        self.assertIn('2,true,9999,"A theme, ""quoted""",0,0,,F', csv)
        text = self.ok("list", self.table).splitlines()
        self.assertEqual(len(text), 4)
        self.assertEqual(text[0].index("THEJOKE"), text[1].index("Fireworks"))
        self.assertIn("Error # 351", self.fails("list", self.table, "--filter", "QTY >"))
        self.assertIn("unknown format", self.fails("list", self.table, "--format", "xml"))

    def test_eval(self):
        def value(expr, *table):
            return [json.loads(l) for l in self.ok("eval", expr, *table).splitlines()]
        self.assertEqual(value('"ab" + "cd"'), [{"type": "C", "width": 0, "decimals": 0, "value": "abcd"}])
        self.assertEqual(value("7 / 2")[0]["value"], 3.5)
        self.assertEqual(value("7 / 2")[0]["type"], "N")
        self.assertEqual(value(".T. .AND. 1 < 2")[0]["value"], True)
        self.assertEqual(value('CTOD("07/04/2024") + 1')[0]["value"], "20240705")
        self.assertEqual(value('CTOD("")')[0]["value"], None)
        per_record = value("THEDATE", self.table)
        self.assertEqual([(r["recno"], r["value"]) for r in per_record],
                         [(1, "0704"), (2, "9999"), (3, "1225")])
        self.assertEqual(per_record[0]["width"], 4)
        self.assertEqual(value("THEJOKE", self.table)[0]["value"], "Fireworkstonight")
        self.assertEqual(value("DELETED()", self.table)[1]["value"], True)
        error = self.fails("eval", "1 +")
        self.assertIn("Error # 351", error)
        self.assertIn("Syntax error", error)

    def test_locate(self):
        self.assertEqual(self.ok("locate", self.table, "THEDATE", "07"), "1\n")
        self.assertEqual(self.ok("locate", self.table, "THEDATE EXACT", "07"), "")
        self.assertEqual(self.ok("locate", self.table, "THEDATE CONTAINED", "0"), "1\n")
        self.assertEqual(self.ok("locate", self.table, "THEJOKE NOCASE", "TONIGHT"), "1\n")
        self.assertEqual(self.ok("locate", self.table, "THEJOKE", "üß"), "3\n")
        self.assertIn("Unrecognized field name", self.fails("locate", self.table, "NOPE", "x"))

    def test_changes(self):
        self.ok("replace", self.table, "3", "QTY=42", "THEJOKE=New text", "FLAG=Y")
        self.ok("recall", self.table, "2")
        rows = self.rows()
        self.assertEqual((rows[2]["QTY"], rows[2]["THEJOKE"], rows[2]["FLAG"]), (42, "New text", True))
        self.assertEqual(rows[2]["DAY"], "2024-12-25")
        self.assertFalse(rows[1]["_deleted"])
        self.assertEqual(self.ok("append", self.table, "THEDATE=0101"), "4\n")

    def test_values_that_do_not_fit_are_refused_before_writing(self):
        with open(self.table, "rb") as f:
            before = f.read()
        for args, message in (
                (["NOPE=1"], "the table has no field NOPE"),
                (["DAY=2024-02-30"], "not a date (YYYY-MM-DD) for DAY: 2024-02-30"),
                (["PRICE=123456.789"], "does not fit its width of 8 with 2 decimals"),
                (["PRICE=12x"], "not a number for PRICE: 12x"),
                (["THEDATE=12345"], "longer than its 4 characters"),
                (["FLAG=maybe"], "not a logical (T or F) for FLAG"),
                (["THEDATE=€"], "has a character the table's code page (cp437) cannot hold: €"),
                (["THEDATE=0101", "QTY"], "expected FIELD=VALUE")):
            with self.subTest(args=args):
                self.assertIn(message, self.fails("append", self.table, *args))
        self.assertIn("record 9 does not exist: the table has 3 records",
                      self.fails("replace", self.table, "9", "QTY=1"))
        self.assertIn("not a record number", self.fails("delete", self.table, "x"))
        with open(self.table, "rb") as f:
            self.assertEqual(f.read(), before)

    def test_a_table_is_the_file_its_name_says(self):
        folder = self.folder.name
        for name, decoy in (("My exclusive jokes.dbf", "My jokes.dbf"),
                            ("Jokes alias puns.dbf", "Jokes.dbf"),
                            ("Lunedì EXCLUSIVE.dbf", "Lunedì.dbf"),
                            ("-dash.dbf", None)):
            with self.subTest(name=name):
                path = os.path.join(folder, name)
                self.ok("create", path, "THEDATE,C,4", "THEJOKE,M")
                self.ok("append", path, "THEDATE=9999", "THEJOKE=Right")
                self.ok("append", path, "THEDATE=0704", "THEJOKE=right day")
                if decoy:
                    self.ok("create", os.path.join(folder, decoy), "THEDATE,C,4", "THEJOKE,M")
                    self.ok("append", os.path.join(folder, decoy), "THEDATE=0704",
                            "THEJOKE=decoy")
                self.assertEqual(self.ok("list", path, "--count"), "2\n")
                if decoy:
                    self.assertEqual(self.ok("list", os.path.join(folder, decoy), "--count"), "1\n")
                day = json.loads(self.ok("day", "--date", "2026-07-04", "--folder", folder,
                                         "--json", name))
                self.assertEqual(day["themes"][0]["lines"], ["right day"])
        # A name with a leading dash, relative to the current folder, is a table, not an option.
        done = tool_case.run("list", "-dash.dbf", "--count", cwd=folder)
        self.assertEqual((done.returncode, done.stdout), (0, "2\n"), done.stderr)

    def test_engine_errors_reach_the_user(self):
        missing = os.path.join(self.folder.name, "missing.dbf")
        error = self.fails("info", missing)
        self.assertEqual(error, "Error # 2 (File not found)\nFailure to open %s [USE/OpenDbf]\n" % missing)
        junk = os.path.join(self.folder.name, "junk.dbf")
        with open(junk, "wb") as f:
            f.write(b"not a table at all, not at all, no")
        self.assertIn("Error # 210 (Not a dBASE data file)", self.fails("list", junk))
        self.assertIn("exists; --force replaces it", self.fails("create", self.table, "A,C,1"))
        self.assertIn("NAME,TYPE,LENGTH,DECIMALS", self.fails("create", junk + "2", "A"))
        self.assertIn("Error # 211", self.fails("create", junk + "3", "A,X,1"))

    def test_output_that_cannot_be_written_is_a_failure(self):
        # Every command that prints, its stdout on a full disk; --output to one, and to a file
        # that cannot grow (a file size limit, SIGXFSZ ignored: the write fails with EFBIG).
        folder = self.folder.name
        out = os.path.join(folder, "out.txt")
        with open(out, "w") as f:
            f.write("the previous export\n")

        def limit_file_size():
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (64, 64))

        full_disk = "cannot write the output: No space left on device"
        for args, stdout, limit, message in (
                (["list", self.table], "/dev/full", None, full_disk),
                (["list", self.table, "--count"], "/dev/full", None, full_disk),
                (["list", self.table, "--format", "csv"], "/dev/full", None, full_disk),
                (["list", self.table, "--format", "json"], "/dev/full", None, full_disk),
                (["info", self.table], "/dev/full", None, full_disk),
                (["info", self.table, "--json"], "/dev/full", None, full_disk),
                (["eval", "THEDATE", self.table], "/dev/full", None, full_disk),
                (["locate", self.table, "THEDATE", "07"], "/dev/full", None, full_disk),
                (["day", "--date", "2024-07-04", "--folder", folder, "theme.dbf"], "/dev/full", None, full_disk),
                (["day", "--date", "2024-07-04", "--folder", folder, "--json", "theme.dbf"], "/dev/full", None,
                 full_disk),
                (["themes", "--folder", folder], "/dev/full", None, full_disk),
                (["themes", "--folder", folder, "--json"], "/dev/full", None, full_disk),
                (["theme", "export", self.table], "/dev/full", None, full_disk),
                (["theme", "check", self.table], "/dev/full", None, full_disk),
                (["append", self.table, "THEDATE=0101"], "/dev/full", None, full_disk),
                (["--help"], "/dev/full", None, full_disk),
                (["theme", "export", self.table, "--output", "/dev/full"], None, None,
                 "/dev/full: cannot be written: No space left on device"),
                (["theme", "export", self.table, "--output", out], None, limit_file_size,
                 out + ": cannot be written: File too large")):
            with self.subTest(args=args), open(stdout or os.devnull, "w") as sink:
                done = subprocess.run([tool_case.TOOL] + args, stdout=sink, stderr=subprocess.PIPE,
                                      text=True, preexec_fn=limit)
                self.assertEqual(done.returncode, 1)
                self.assertRegex(done.stderr, r"^vornelle-db( \w+)?: ")
                self.assertTrue(done.stderr.endswith(": " + message + "\n"), done.stderr)
        # The file that could not be replaced is as it was, and nothing else was left beside it.
        with open(out) as f:
            self.assertEqual(f.read(), "the previous export\n")
        self.assertEqual(sorted(os.listdir(folder)), ["out.txt", "theme.dbf", "theme.dbt"])
        self.ok("theme", "export", self.table, "--output", out)
        with open(out) as f:
            self.assertEqual(f.read(), self.ok("theme", "export", self.table))


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
