#!/usr/bin/python3
"""vornelle-db on the dBASE-family tables other programs write and read: C fields wider than
255, fields that do not fill the record, records past the header's count, names in the table's
code page, values a field does not hold, repeated names, and Visual FoxPro and level 7 tables
with their types. Every value is compared with python3-dbfread, python3-dbf or Perl XBase where
they read the table, and pinned where none does; writes are read back by them, or refused with
the table left as it was.

Usage: peer_tables_test.py VORNELLE_DB
"""
import datetime
import decimal
import json
import os
import struct
import subprocess
import sys
import unittest

import hand_made
import tool_case

HERE = os.path.dirname(os.path.abspath(__file__))


def json_value(value):
    """A peer's value as the tool lists it."""
    if isinstance(value, datetime.datetime):
        text = value.strftime("%Y-%m-%dT%H:%M:%S")
        return text + (".%03d" % (value.microsecond // 1000) if value.microsecond else "")
    if isinstance(value, datetime.date):
        return value.isoformat()
    if isinstance(value, decimal.Decimal):
        return int(value) if value == int(value) else float(value)
    return value


def dbfread_rows(path, encoding="cp437"):
    import dbfread
    return [{k.upper(): json_value(v) for k, v in record.items() if k.upper() != "_NULLFLAGS"}
            for record in dbfread.DBF(path, encoding=encoding, char_decode_errors="strict")]


def perl_rows(path):
    done = subprocess.run(["perl", os.path.join(HERE, "xbase_peer.pl"), "dump", path],
                          capture_output=True, check=True)
    return [json.loads(line) for line in done.stdout.decode("utf-8").splitlines()]


def values(rows):
    return [{k: v for k, v in r.items() if not k.startswith("_")} for r in rows]


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class PeerTables(tool_case.FolderCase):
    def listed(self, path, *options):
        return [json.loads(line) for line in self.ok("list", path, "--format", "json", *options).splitlines()]

    def info(self, path):
        return json.loads(self.ok("info", path, "--json"))

    def make(self, name, *args, **kwargs):
        return hand_made.write(self.path(name), hand_made.table(*args, **kwargs))

    def test_c_fields_wider_than_255_keep_their_high_byte_in_the_decimals(self):
        import dbf
        clipper = self.path("clipper.dbf")
        table = dbf.Table(clipper, "note C(300); n N(3,0); memo M", dbf_type="clp", codepage="cp437")
        table.open(dbf.READ_WRITE)
        table.append(("x" * 290 + " end", 7, "a memo"))
        table.append(("short", 8, ""))
        table.close()
        # (table, widths, a second reader) where a C field's decimals byte is its high byte, and
        # where the plain widths already fill the record (the decimals byte is a count).
        decimals = self.make("decimals.dbf", [("NAME", "C", 10, 2), ("N", "N", 3, 0)], [b"ten chars!  5"])
        # dbfread always takes the decimals byte for a high byte, and misreads the second.
        for path, widths, dbfread in ((clipper, [300, 3, 10], True), (decimals, [10, 3], False)):
            with self.subTest(path=os.path.basename(path)):
                self.assertEqual([f["length"] for f in self.info(path)["fields"]], widths)
                rows = values(self.listed(path))
                self.assertEqual(rows, values(perl_rows(path)))
                if dbfread:
                    self.assertEqual(rows, [dict(r, MEMO=r["MEMO"] or "") for r in dbfread_rows(path)])

    def test_fields_read_where_the_file_proves_where_they_lie(self):
        fields = [("A", "C", 250, 0), ("B", "C", 250, 0), ("C", "C", 250, 0), ("D", "C", 250, 0),
                  ("E", "C", 16, 0)]
        records = [bytes([65 + i]) * 1016 for i in range(3)]
        # (table, what the tool says): a header one byte short of the fields the file's size
        # proves; a field of no width amid bytes no field describes; neither proved.
        for name, data, refusal in (
                ("short.dbf", hand_made.table(fields, records, record_length=1016), None),
                ("gap.dbf", hand_made.table([("A", "C", 5, 0), ("Z", "C", 0, 0), ("N", "N", 3, 0)],
                                            [b"abcde" + b"?" * 19 + b"  2"], record_length=29),
                 "(its fields describe 9 of the 29 bytes of a record)"),
                ("junk.dbf", hand_made.table([("A", "C", 10, 0)], [b"0123456789"], record_length=5,
                                             after=b"\x1axy"),
                 "(its fields describe 11 of the 5 bytes of a record)")):
            with self.subTest(table=name):
                path = hand_made.write(self.path(name), data)
                if refusal:
                    self.assertIn("Error # 210 (Not a dBASE data file)", self.fails("list", path))
                    self.assertIn(refusal, self.fails("info", path))
                else:
                    self.assertEqual(values(self.listed(path)), dbfread_rows(path))

    def test_every_command_counts_the_records_up_to_the_end_mark(self):
        fields = [("N", "N", 3, 0)]
        # (header count, records, what follows them, records held, what info adds)
        for counted, held, after, expected, note in (
                (9, 9, b"\x1a" + b"x" * 11, 9, ""),  # bytes past the end mark are no records
                (0, 2, b"\x1a", 2, " (its header counts 0)"),  # a writer stopped before its header
                (2, 3, b"", 3, " (its header counts 2)"),  # an append over the end mark
                (5, 3, b"\x1a", 3, " (its header counts 5)")):  # a file cut short
            with self.subTest(counted=counted, held=held):
                path = self.make("count.dbf", fields, [b"%3d" % i for i in range(held)], count=counted,
                                 after=after)
                self.assertIn("records        %d%s\n" % (expected, note), self.ok("info", path))
                self.assertEqual(self.info(path)["records"], expected)
                if counted < held or after[1:]:
                    self.assertEqual(len(self.listed(path)), expected)
                    self.assertEqual(len(self.listed(path, "--filter", "N >= 0")), expected)
                    self.assertEqual(self.ok("list", path, "--count"), "%d\n" % expected)
                    self.assertEqual(len(dbfread_rows(path)), expected)
                    # An append follows the last of them, and ends the table after itself.
                    self.assertEqual(self.ok("append", path, "N=999"), "%d\n" % (expected + 1))
                    self.assertEqual([r["N"] for r in dbfread_rows(path)], list(range(expected)) + [999])
                    self.assertEqual(self.info(path)["header_records"], expected + 1)

    def test_themes_end_at_the_end_mark(self):
        # A theme whose header counts one record, the second record's slot beginning with the
        # end mark: day and find read the first two and never the third.
        path = self.path("ends.dbf")
        tool_case.make_theme_with_python_dbf(path, [("9999", "A", False), ("0704", "kept", False),
                                                     ("0705", "past the end", False)])
        data = bytearray(read_bytes(path))
        header, length = struct.unpack_from("<HH", data, 8)
        data[4:8], data[header + 2 * length] = struct.pack("<I", 1), 0x1A
        hand_made.write(path, data)
        self.assertEqual(self.ok("day", "--date", "2024-07-04", path), "kept\n")
        self.assertEqual(tool_case.run("day", "--date", "2024-07-05", path).stdout, "")
        self.assertEqual(tool_case.run("find", "end", path).returncode, 1)
        self.assertEqual(self.ok("list", path, "--count"), "2\n")

    def test_names_read_through_the_code_page_ascii_letters_upper_cased(self):
        # (driver byte, name bytes, the page dbfread reads them in): Cyrillic names in
        # Windows 1251, lower-case letters included; Big5 names, read in OEM 437 as a page this
        # tool does not know; an 11-byte name without its NUL.
        for driver, names, page in ((0xC9, ["\u0446\u0435\u043d\u0430".encode("cp1251"), b"Name"], "cp1251"),
                                    (0x78, [b"\xa4\xe5\xa6\x72", b"id"], "cp437"),
                                    (0x00, [b"value_f_non", b"b"], "cp437")):
            with self.subTest(page=page, names=names):
                path = self.make("names.dbf", [(n, "C", 2, 0) for n in names], [b"ab" * len(names)],
                                 driver=driver)
                expected = [n.decode(page).translate({c: c - 32 for c in range(97, 123)}) for n in names]
                self.assertEqual([f["name"] for f in self.info(path)["fields"]], expected)
                self.assertEqual(list(values(self.listed(path))[0]), expected)
                self.assertTrue(self.ok("list", path, "--format", "csv").startswith(
                    "_recno,_deleted," + ",".join(expected) + "\n"))
                self.assertEqual([list(r) for r in dbfread_rows(path, page)][0], [e.upper() for e in expected])
        # A filter names the field by its eleven characters.
        self.assertEqual(len(self.listed(path, "--filter", 'VALUE_F_NON = "ab"')), 1)

    def test_values_a_field_does_not_hold_are_null(self):
        path = self.make("blank.dbf", [("N", "N", 8, 2), ("F", "F", 6, 0), ("L", "L", 1, 0), ("D", "D", 8, 0)],
                         [b" " * 8 + b"******" + b"?" + b" " * 8,
                          b"1,200.00" + b"\0" * 6 + b" " + b"00000000",
                          b"    1.50" + b"    12" + b"t" + b"20240229",
                          b"12345678" + b"  -7  " + b"N" + b"2023022x"])
        # (record, JSON values, CSV cells)
        for recno, row, cells in ((1, [None] * 4, ",,,"), (2, [None] * 4, ",,,"),
                                  (3, [1.5, 12, True, "2024-02-29"], "1.5,12,T,2024-02-29"),
                                  (4, [12345678, -7, False, None], "12345678,-7,F,")):
            with self.subTest(recno=recno):
                self.assertEqual(list(values(self.listed(path))[recno - 1].values()), row)
                self.assertIn("\n%d,false,%s\n" % (recno, cells), self.ok("list", path, "--format", "csv"))
        # Readers that read the record say the same; the engine's own functions keep 0 and .F.
        self.assertEqual(values(perl_rows(path))[2], values(self.listed(path))[2])
        self.assertEqual(json.loads(self.ok("eval", "N", path).splitlines()[0])["value"], 0)

    def test_repeated_names_are_told_apart_in_json_and_csv(self):
        path = self.make("points.dbf", [("POINT_ID", "C", 4, 0), ("POINT_ID", "N", 3, 0), ("POINT_ID_2", "C", 1, 0)],
                         [b"ab   12x"])
        self.assertEqual(self.listed(path)[0], {"_recno": 1, "_deleted": False, "POINT_ID": "ab",
                                                "POINT_ID_3": 12, "POINT_ID_2": "x"})
        self.assertTrue(self.ok("list", path, "--format", "csv").startswith(
            "_recno,_deleted,POINT_ID,POINT_ID_3,POINT_ID_2\n"))

    def test_info_shows_the_letter_the_table_holds(self):
        # (version, field, read as, what the text line says)
        null_flags = ("_NullFlags", "0", 1, 0, 0x05)
        for version, field, read_as, notes in (
                (0x8B, ("PHOTO", "G", 10, 0), "M", "read as M"),
                (0x03, ("COUNT", "I", 4, 0), "N", "read as N"),
                (0x30, ("AT", "T", 8, 0, 0x02), "C", "read as C; may be null"),
                (0x30, ("RATIO", "B", 8, 2), "F", "read as F"),
                (0x31, ("ID", "I", 4, 0, 0x0C), "N", "read as N; counts up itself")):
            with self.subTest(type=field[1], version=version):
                path = self.make("one.dbf", [field, null_flags] if version == 0x30 else [field], [],
                                 version=version)
                if version == 0x8B:
                    hand_made.write(self.path("one.dbt"), bytes(512))
                described = self.info(path)["fields"][0]
                self.assertEqual((described["type"], described["read_as"]), (field[1], read_as))
                self.assertRegex(self.ok("info", path), r"\n%s +%s .* %s\n" % (field[0], field[1], notes))

    def visual_foxpro_table(self):
        """A Visual FoxPro table python3-dbf writes, every field nullable, some values null."""
        import dbf
        path = self.path("vfp.dbf")
        table = dbf.Table(path, "name C(10) null; qty I null; price Y null; ratio B null; at T null; "
                          "day D null; ok L null; note M null; amount N(8,2) null", dbf_type="vfp", codepage="cp1252")
        table.open(dbf.READ_WRITE)
        table.append(("M\u00fcller", 42, decimal.Decimal("12.3456"), 2.5, datetime.datetime(2024, 3, 5, 14, 30, 15),
                      datetime.date(2024, 3, 5), True, "memo one\r\nline 2", 1.25))
        table.append((dbf.Null,) * 9)
        table.append(("x", -7, decimal.Decimal("-0.5"), -1e-3, datetime.datetime(1999, 12, 31, 23, 59, 59, 250000),
                      dbf.Null, False, "", -3))
        table.close()
        return path

    def python_dbf_rows(self, path):
        import dbf
        table = dbf.Table(path)
        table.open(dbf.READ_ONLY)
        rows = [[None if v is dbf.Null else json_value(v.rstrip() if isinstance(v, str) else v)
                 for v in (record[i] for i in range(len(table.field_names)))] for record in table]
        deleted = [dbf.is_deleted(record) for record in table]
        table.close()
        return rows, deleted

    def test_visual_foxpro_tables_as_their_writers_read_them(self):
        path = self.visual_foxpro_table()
        listed = values(self.listed(path))
        rows, _ = self.python_dbf_rows(path)
        self.assertEqual([list(r.values()) for r in listed], [[v if v != "" else v for v in r] for r in rows])
        # dbfread knows no null flags: it agrees wherever a value is there.
        for ours, theirs in zip(listed, dbfread_rows(path, "cp1252")):
            self.assertEqual({k: v for k, v in ours.items() if v is not None},
                             {k: theirs[k] for k, v in ours.items() if v is not None})
        # Varchar and varbinary, with the null flags' bits in field order: V's length bit, V's
        # null bit, Q's length bit, M's null bit; A and N cannot be null.
        fields = [("A", "C", 3, 0), ("V", "V", 6, 0, 0x02), ("N", "I", 4, 0), ("Q", "Q", 4, 0, 0x04),
                  ("M", "C", 2, 0, 0x02), ("_NullFlags", "0", 1, 0, 0x05)]
        path = self.make("var.dbf", fields, [
            b"abc" + b"hi\0\0\0\x02" + struct.pack("<i", 5) + b"\x01\x02\0\x02" + b"zz" + bytes([0b0101]),
            b"xyz" + b"\0" * 6 + struct.pack("<i", -1) + b"\xff\xfe\xfd\xfc" + b"  " + bytes([0b1010]),
            b"   " + b"sixsix" + struct.pack("<i", 0) + b"\0\0\0\0" + b"ok" + bytes([0b0100])], version=0x32)
        self.assertEqual(values(self.listed(path)), [
            {"A": "abc", "V": "hi", "N": 5, "Q": "0102", "M": "zz"},
            {"A": "xyz", "V": None, "N": -1, "Q": "fffefdfc", "M": None},
            {"A": "", "V": "sixsix", "N": 0, "Q": "", "M": "ok"}])

    def test_integers_and_currency_in_other_families_and_level_7_types(self):
        path = self.make("ints.dbf", [("I", "I", 4, 0), ("Y", "Y", 8, 4)],
                         [struct.pack("<iq", -123456, 123456789), struct.pack("<iq", 2**31 - 1, -5)])
        self.assertEqual(values(self.listed(path)), dbfread_rows(path))
        # Level 7 keeps I and + big-endian with the sign bit inverted, O ordered (the sign bit
        # set for a number that is not negative, every bit inverted for one that is), @ as a
        # big-endian double of milliseconds from the day before 0001-01-01. No reader at hand
        # reads level 7: the values are pinned, the timestamp from a published sample.
        ordered = lambda d: struct.pack(">Q", struct.unpack(">Q", struct.pack(">d", d))[0] ^ (
            0xFFFFFFFFFFFFFFFF if d < 0 else 1 << 63))
        fields = [("I", "I", 4, 0), ("ID", "+", 4, 0), ("O", "O", 8, 0), ("AT", "@", 8, 0)]
        path = self.make("level7.dbf", fields, [
            struct.pack(">I", (-5) & 0xFFFFFFFF ^ 1 << 31) + struct.pack(">I", 7 ^ 1 << 31) + ordered(-2.5) +
            bytes.fromhex("42ccf9bdcaa9d000"),
            struct.pack(">I", 1 << 31) + struct.pack(">I", 8 ^ 1 << 31) + ordered(1e10) + bytes(8)], version=0x04)
        self.assertEqual(values(self.listed(path)), [{"I": -5, "ID": 7, "O": -2.5, "AT": "2020-02-20T20:20:20"},
                                                     {"I": 0, "ID": 8, "O": 1e10, "AT": None}])

    def test_new_types_in_filters_compare_by_value(self):
        path = self.visual_foxpro_table()
        # (filter, records it passes): numbers as numbers, dates and times in time order (a
        # date and time reads as its ISO text), null values as the field's blank.
        for expression, passing in (("QTY > 5", [1]), ("QTY < 0", [3]), ("PRICE > 12.3", [1]),
                                    ("RATIO = 2.5", [1]), ("AT >= \"2024-03\"", [1]),
                                    ("AT < \"2000\" .AND. AT > \"0\"", [3]), ("QTY = 0", [2]),
                                    ("AMOUNT < 0", [3])):
            with self.subTest(filter=expression):
                self.assertEqual([r["_recno"] for r in self.listed(path, "--filter", expression)], passing)

    def test_writes_read_back_by_others_or_refused_untouched(self):
        import dbf
        path = self.visual_foxpro_table()
        appended = self.ok("append", path, "NAME=Gr\u00fc\u00dfe", "QTY=-2147483647", "PRICE=922337203685.4775",
                           "RATIO=0.125", "AT=2038-01-19T03:14:07", "DAY=2024-02-29", "OK=T", "NOTE=new\nmemo",
                           "AMOUNT=")
        self.assertEqual(appended, "4\n")
        self.ok("replace", path, "1", "NAME=", "QTY=0", "OK=F")
        self.ok("replace", path, "2", "QTY=5")  # the other values stay null
        self.ok("delete", path, "3")
        rows, deleted = self.python_dbf_rows(path)
        self.assertEqual(rows[0][:2], [None, 0])
        self.assertEqual(rows[1], [None, 5] + [None] * 7)
        self.assertEqual(rows[3], ["Gr\u00fc\u00dfe", -2147483647, 922337203685.4775, 0.125, "2038-01-19T03:14:07",
                                   "2024-02-29", True, "new\r\nmemo", None])
        self.assertEqual(deleted, [False, False, True, False])
        self.assertEqual(dbfread_rows(path, "cp1252")[-1]["PRICE"], 922337203685.4775)
        self.assertEqual(values(self.listed(path))[3]["AT"], "2038-01-19T03:14:07")
        # Packed, the records and their memos are what they were, null flags and all.
        self.ok("pack", path)
        self.assertEqual(self.python_dbf_rows(path), ([rows[0], rows[1], rows[3]], [False] * 3))
        # An autoincrement field takes the next value its descriptor keeps, which moves on by
        # its step (here 5, step 2); giving it a value is refused and nothing changes.
        fields = [("ID", "I", 4, 0, 0x0C), ("NAME", "C", 3, 0)]
        data = bytearray(hand_made.table(fields, [struct.pack("<i", 1) + b"abc"], version=0x31))
        data[32 + 19:32 + 24] = struct.pack("<IB", 5, 2)
        path = hand_made.write(self.path("counted.dbf"), data)
        self.assertEqual([self.ok("append", path, "NAME=" + n) for n in ("xyz", "uvw")], ["2\n", "3\n"])
        self.assertEqual(struct.unpack("<IB", read_bytes(path)[32 + 19:32 + 24]), (9, 2))
        before = read_bytes(path)
        self.assertIn("counts the values of ID up itself", self.fails("replace", path, "1", "ID=9"))
        self.assertEqual(read_bytes(path), before)
        self.ok("replace", path, "1", "NAME=new")
        self.assertEqual([(r["ID"], r["NAME"]) for r in dbfread_rows(path)], [(1, "new"), (5, "xyz"), (7, "uvw")])
        # Level 7 values are written as they are read.
        path = self.make("level7.dbf", [("I", "I", 4, 0), ("O", "O", 8, 0), ("AT", "@", 8, 0)], [], version=0x04)
        self.ok("append", path, "I=-5", "O=-2.5", "AT=2020-02-20T20:20:20")
        record = read_bytes(path)[-22:-1]
        self.assertEqual(record[1:5] + record[13:], struct.pack(">I", 0x7FFFFFFB) + bytes.fromhex("42ccf9bdcaa9d000"))
        self.assertEqual(values(self.listed(path)), [{"I": -5, "O": -2.5, "AT": "2020-02-20T20:20:20"}])

    def test_appends_of_the_new_kinds_exact_or_refused_untouched(self):
        import dbfread
        vfp_var = [("V", "V", 6, 0, 0x02), ("Q", "Q", 4, 0), ("_NullFlags", "0", 1, 0, 0x05)]
        # (header, fields, values, the appended record's bytes past the deletion byte as a
        # reader checks them, or the refusal): binary numbers beside other families' tables, a
        # C field wider than 255, varchar lengths and null flags, amounts a double cannot carry.
        vfp, db3 = {"version": 0x32}, {"version": 0x03}
        for shape, fields, assigned, expected in (
                (db3, [("I", "I", 4, 0), ("Y", "Y", 8, 4)], ["I=-7", "Y=-12.3456"], dbfread_rows),
                ({"record_length": 1 + 300 + 2}, [("NOTE", "C", 44, 1), ("N", "N", 2, 0)],
                 ["NOTE=" + "x" * 296 + "end", "N=5"], dbfread_rows),
                (vfp, vfp_var, ["V=hi", "Q=0a"], b"hi\0\0\0\x02" + b"\x0a\0\0\x01" + bytes([0b101])),
                (vfp, vfp_var, ["V="], b"\0" * 6 + b"\0\0\0\0" + bytes([0b111])),
                (db3, [("Y", "Y", 8, 4)], ["Y=900000000000.0003"], "cannot be stored as written"),
                (db3, [("Y", "Y", 8, 4)], ["Y=1.23456"], "cannot be stored as written"),
                ({"version": 0x04}, [("ID", "+", 4, 0), ("N", "N", 2, 0)], ["N=1"], "counts its values up itself")):
            with self.subTest(assigned=assigned):
                path = self.make("new.dbf", fields, [], **shape)
                before = read_bytes(path)
                if isinstance(expected, str):
                    self.assertIn(expected, self.fails("append", path, *assigned))
                    self.assertEqual(read_bytes(path), before)
                elif isinstance(expected, bytes):
                    self.ok("append", path, *assigned)
                    self.assertEqual(read_bytes(path)[-len(expected) - 1:-1], expected)
                else:
                    self.ok("append", path, *assigned)
                    self.assertEqual(values(self.listed(path)), expected(path))
                    self.assertEqual(str(list(dbfread.DBF(path, char_decode_errors="strict"))[0][fields[-1][0]]),
                                     assigned[-1].split("=")[1])


if __name__ == "__main__":
    tool_case.TOOL = sys.argv.pop(1)
    unittest.main()
