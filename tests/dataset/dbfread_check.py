#!/usr/bin/python3
"""Another dBASE-family reader's view of a table the component wrote.

  dbfread_check.py TABLE EXPECTED.json

EXPECTED holds {"records": [...], "deleted": [...]}: the records without and with the deletion
mark, each in file order, each a map of field name to value (dates as "YYYY-MM-DD", null for a
blank value or no memo). python3-dbfread reads TABLE (text in code page 437); the differences
are printed and make the exit status 1.
"""
import datetime
import json
import sys

import dbfread


def normalised(table, got, want):
    if isinstance(got, datetime.date):
        return got.isoformat()
    if isinstance(got, str) and isinstance(want, str) and table.dbversion.startswith("dBASE IV"):
        # This reader takes a dBASE IV memo's stored length, which counts the block header, for
        # the length of the text, and so returns up to 8 bytes too many.
        extra = got[len(want):]
        if got.startswith(want) and len(extra) <= 8 and extra.strip("\0") == "":
            return want
    return got


def compare(table, kind, rows, expected, problems):
    if len(rows) != len(expected):
        problems.append("%d %s, expected %d" % (len(rows), kind, len(expected)))
    for i, (row, want) in enumerate(zip(rows, expected)):
        for name, value in want.items():
            got = normalised(table, row.get(name), value)
            if got != value or isinstance(got, bool) != isinstance(value, bool):
                problems.append("%s %d field %s: %r, expected %r" % (kind, i + 1, name, got, value))


def main(path, expected_path):
    with open(expected_path, encoding="utf-8") as f:
        expected = json.load(f)
    table = dbfread.DBF(path, encoding="cp437", char_decode_errors="strict", load=True)
    problems = []
    compare(table, "record", table.records, expected["records"], problems)
    compare(table, "deleted record", table.deleted, expected["deleted"], problems)
    if problems:
        print("\n".join(problems[:20]))
        sys.exit(1)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
