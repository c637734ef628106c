#!/usr/bin/python3
"""vornelle-db on tables in other code pages than OEM 437, written by python3-dbf, which sets the
language driver byte from its codepage argument: listed, filtered and searched as python3-dbfread
reads them, and values written by vornelle-db read back exactly by both peers.

Usage: codepage_test.py VORNELLE_DB
"""
import json
import os
import sys
import tempfile
import unittest

import dbf
import dbfread

import tool_case
from tool_case import ToolCase

PAGES = ["cp437", "cp850", "cp852", "cp857", "cp861", "cp865", "cp866",
         "cp1250", "cp1251", "cp1252", "cp1253", "cp1254"]
# Characters no page above holds all of: each page lacks at least one.
FOREIGN = "\u0150\u0416\u03a9\u00e9\u20ac\u011f\u00f0\u30a2"



def letters(page):
    """The letters of the page's upper half whose other case the page holds too, in byte order:
    text that reads differently in every other page."""
    found = []
    for byte in range(0x80, 0x100):
        try:
            char = bytes([byte]).decode(page)
        except UnicodeDecodeError:
            continue
        for other in (char.upper(), char.lower()):
            if other != char and len(other) == 1:
                try:
                    other.encode(page)
                except UnicodeEncodeError:
                    continue
                found.append(char)
                break
    return "".join(found)


def make_table(path, page, rows, kind="db3"):
    table = dbf.Table(path, "NAME C(24); NOTE M", dbf_type=kind, codepage=page)
    table.open(dbf.READ_WRITE)
    for row in rows:
        table.append(row)
    table.close()


def set_driver(path, byte):
    with open(path, "r+b") as f:
        f.seek(29)
        f.write(bytes([byte]))


def peer_rows(path, encoding=None):
    return [dict(r) for r in dbfread.DBF(path, encoding=encoding, char_decode_errors="strict")]


def python_dbf_rows(path):
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    try:
        return [(r.name.rstrip(), r.note) for r in table]
    finally:
        table.close()


class CodePages(ToolCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def listed(self, table, *options):
        return [json.loads(l) for l in self.ok("list", table, "--format", "json", *options).splitlines()]

    def test_each_page_reads_filters_searches_and_writes_as_the_peers_do(self):
        drivers = {}
        for page in PAGES:
            with self.subTest(page=page):
                word = letters(page)[:12]
                self.assertGreaterEqual(len(word), 6, page)
                first, second = word[:6], word[6:] or word[::-1]
                table = self.path(page + ".dbf")
                make_table(table, page, [(first, "Line " + word + "\r\n" + word.upper()),
                                         (second, word.lower())])
                drivers[page] = json.loads(self.ok("info", table, "--json"))

                ours = [{"NAME": r["NAME"], "NOTE": r["NOTE"]} for r in self.listed(table)]
                self.assertEqual(ours, peer_rows(table))

                # A filter compares the stored text; UPPER folds the page's own letters.
                self.assertEqual([r["_recno"] for r in self.listed(table, "--filter", 'NAME = "%s"' % first)], [1])
                self.assertEqual([r["_recno"] for r in self.listed(
                    table, "--filter", 'UPPER(NAME) = "%s"' % second.upper())], [2])
                self.assertEqual(self.ok("locate", table, "NAME NOCASE", first.swapcase()[:4]), "1\n")
                self.assertEqual(self.ok("locate", table, "NOTE NOCASE CONTAINED", word.lower()[2:7]), "1\n2\n")
                value = json.loads(self.ok("eval", "LOWER(NAME)", table).splitlines()[0])["value"]
                self.assertEqual(value.rstrip(), first.lower())

                # Written values read back exactly in both peers.
                written = word[::-1]
                self.assertEqual(self.ok("append", table, "NAME=" + written, "NOTE=" + word + "\n2"), "3\n")
                self.ok("replace", table, "1", "NAME=" + word[3:9])
                peer = peer_rows(table)
                self.assertEqual(peer[2], {"NAME": written, "NOTE": word + "\r\n2"})
                self.assertEqual(peer[0]["NAME"], word[3:9])
                self.assertEqual(python_dbf_rows(table)[2], (written, word + "\r\n2"))

                # A character the page lacks is refused before anything is written.
                missing = next(c for c in FOREIGN if not self.encodable(c, page))
                with open(table, "rb") as f:
                    before = f.read()
                error = self.fails("append", table, "NAME=a" + missing)
                self.assertIn("has a character the table's code page (%s) cannot hold: %s" % (page, missing), error)
                error = self.fails("list", table, "--filter", 'NAME = "%s"' % missing)
                self.assertIn("the filter has a character the code page %s cannot hold" % page, error)
                with open(table, "rb") as f:
                    self.assertEqual(f.read(), before)
        for page, info in drivers.items():
            self.assertEqual(info["code_page"], page)
            self.assertEqual(info["driver_code_page"], page)

    @staticmethod
    def encodable(char, page):
        try:
            char.encode(page)
            return True
        except UnicodeEncodeError:
            return False

    def test_shapefile_table_in_ansi(self):
        table = self.path("olinda.dbf")
        make_table(table, "cp1252", [("Alto da Na\u00e7\u00e3o", ""), ("S\u00edtio Novo", "")])
        set_driver(table, 0x57)  # as shapefile writers mark ANSI text
        self.assertEqual([r["NAME"] for r in self.listed(table)], ["Alto da Na\u00e7\u00e3o", "S\u00edtio Novo"])
        self.assertIn("code page      cp1252 (language driver 0x57)", self.ok("info", table))
        self.assertEqual(self.ok("locate", table, "NAME NOCASE CONTAINED", "a\u00c7\u00c3"), "1\n")
        # --codepage reads it in another page for one command, and says so.
        self.assertEqual(self.listed(table, "--codepage", "cp850")[0]["NAME"],
                         "Alto da Na\u00e7\u00e3o".encode("cp1252").decode("cp850"))
        self.assertIn("cp850 (--codepage; language driver 0x57: cp1252)",
                      self.ok("info", table, "--codepage", "850"))
        self.assertIn("unknown code page cp9999", self.fails("list", table, "--codepage", "cp9999"))

    def test_no_or_unknown_driver_reads_as_oem_437(self):
        stored = "\u00c7a \u00fc \u2500\u2510 \u03b1\u00df"  # box drawing and Greek: 437 only
        for byte in (0x00, 0xEE):
            with self.subTest(driver=byte):
                table = self.path("oem%02x.dbf" % byte)
                make_table(table, "cp437", [(stored, stored)])
                set_driver(table, byte)
                self.assertEqual(self.listed(table)[0], {"_recno": 1, "_deleted": False,
                                                         "NAME": stored, "NOTE": stored})
                self.assertEqual(json.loads(self.ok("info", table, "--json"))["code_page"], "cp437")
                self.ok("append", table, "NAME=\u2502\u00e9\u00c9")
                self.assertEqual(peer_rows(table, "cp437")[1]["NAME"], "\u2502\u00e9\u00c9")

    def test_create_names_the_page_for_other_programs(self):
        table = self.path("cyrillic.dbf")
        self.ok("create", table, "NAME,C,20", "NOTE,M", "--kind", "dbase3", "--codepage", "windows-1251")
        with open(table, "rb") as f:
            self.assertEqual(f.read()[29], 0xC9)
        self.ok("append", table, "NAME=\u0416\u0443\u0440\u043d\u0430\u043b", "NOTE=\u0451\u0416")
        self.assertEqual(peer_rows(table), [{"NAME": "\u0416\u0443\u0440\u043d\u0430\u043b", "NOTE": "\u0451\u0416"}])
        self.assertEqual(self.ok("locate", table, "NAME NOCASE", "\u0436\u0423\u0420"), "1\n")
        plain = self.path("plain.dbf")
        self.ok("create", plain, "NAME,C,2")
        with open(plain, "rb") as f:
            self.assertEqual(f.read()[29], 0)

    def test_every_character_of_a_themes_page_reaches_the_user(self):
        # Every character of the upper half of code page 437, and of a second page a theme may
        # carry, in a theme python3-dbf writes: day, find and export give each as it is, and an
        # import writes them back as the peers read them.
        for page in ("cp437", "cp1253"):
            with self.subTest(page=page):
                chars = "".join(c for c in (bytes([b]).decode(page, "ignore") for b in range(0x80, 0x100))
                                if c and c.isprintable())
                lines = [chars[i:i + 32] for i in range(0, len(chars), 32)]
                theme = self.path("every_%s.dbf" % page)
                made = dbf.Table(theme, "thedate C(4); thejoke M", dbf_type="db3", codepage=page)
                made.open(dbf.READ_WRITE)
                made.append(("9999", "Every character"))
                made.append(("0704", "\r\n".join(lines)))
                made.close()
                self.assertEqual(self.ok("day", "--date", "2024-07-04", theme), "\n".join(lines) + "\n")
                for line in lines:
                    needle = line[5:8]
                    found = self.ok("find", needle, theme)
                    self.assertTrue(found.startswith("0704\t"), (needle, found))
                exported = self.path("every_%s.txt" % page)
                self.ok("theme", "export", theme, "--output", exported)
                if page == "cp437":  # imports write DOS 437
                    copy = self.path("copy_%s.dbf" % page)
                    self.ok("theme", "import", exported, copy)
                    row = [r for r in dbfread.DBF(copy, encoding="cp437") if r["THEDATE"] == "0704"][0]
                    self.assertEqual(row["THEJOKE"].rstrip("\0"), "\r\n".join(lines))

    def test_themes_are_read_in_the_page_their_byte_names(self):
        # A theme without a language driver byte is DOS 437, as themes have always been; one
        # whose byte names a page is read in that page, as other readers read it.
        text = self.path("theme.txt")
        with open(text, "w", encoding="utf-8") as f:
            f.write("@9999\nGr\u00fc\u00dfe \u03c0\n@0704\nF\u00fcr heute \u2248 \u221a.\n")
        table = self.path("theme.dbf")
        self.ok("theme", "import", text, table)
        self.assertEqual(self.ok("day", "--date", "2024-07-04", table), "F\u00fcr heute \u2248 \u221a.\n")
        self.assertIn("Gr\u00fc\u00dfe \u03c0", self.ok("theme", "export", table))
        import dbf
        cyrillic = self.path("cyrillic.dbf")
        made = dbf.Table(cyrillic, "thedate C(4); thejoke M", dbf_type="db3", codepage="cp1251")
        made.open(dbf.READ_WRITE)
        for key, message in (("9999", "\u0416\u0443\u0440\u043d\u0430\u043b"), ("0704", "\u0451\u0416")):
            made.append((key, message))
        made.close()
        self.assertEqual(self.ok("day", "--date", "2024-07-04", cyrillic), "\u0451\u0416\n")


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
