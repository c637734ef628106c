#!/usr/bin/python3
"""The other dBASE-family programs' side of the interoperability tests.

  peers.py make KIND TABLE N      python3-dbf writes N sample rows (KIND: db3 or fp)
  peers.py check TABLE N          python3-dbfread reads TABLE and compares it with the N sample rows

The sample rows are defined here and, identically, in interop_test.cpp.
"""
import datetime
import sys


def sample(i):
    note = None if i % 5 == 4 else "Memo %d\r\nsecond line \u00fc %s" % (i, "x" * (i * 37 % 700))
    return {
        "NAME": ("Name %d M\u00fcller" % i)[:20],
        "AMOUNT": round(i * 1.25, 2),
        "COUNT": i * 7,
        "DAY": None if i % 7 == 6 else datetime.date(2000 + i % 30, 1 + i % 12, 1 + i % 28),
        "FLAG": i % 2 == 0,
        "NOTE": note,
    }


def make(kind, path, n):
    import dbf
    table = dbf.Table(path, "name C(20); amount N(10,2); count N(6,0); day D; flag L; note M",
                      dbf_type=kind, codepage="cp437")
    table.open(dbf.READ_WRITE)
    for i in range(n):
        r = sample(i)
        table.append((r["NAME"], r["AMOUNT"], r["COUNT"], r["DAY"], r["FLAG"], r["NOTE"]))
    table.close()


def check(path, n):
    import dbfread
    table = dbfread.DBF(path, encoding="cp437", char_decode_errors="strict")
    rows = list(table)
    problems = []
    if len(rows) != n:
        problems.append("%d records, expected %d" % (len(rows), n))
    for i, row in enumerate(rows[:n]):
        want = sample(i)
        for name, value in want.items():
            got = row.get(name)
            if name == "NOTE" and isinstance(got, str) and isinstance(value, str):
                # This reader takes a dBASE IV value's stored length, which counts the 8-byte
                # block header, as the length of the text, and so returns 8 bytes too many.
                if table.dbversion.startswith("dBASE IV") and len(got) == len(value) + 8:
                    got = got[:len(value)]
            if name == "NOTE" and value is None:
                value = "" if got == "" else None
            if got != value:
                problems.append("record %d field %s: %r, expected %r" % (i + 1, name, got, value))
    if problems:
        print("\n".join(problems[:20]))
        sys.exit(1)


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3], int(sys.argv[4]))
    elif sys.argv[1] == "check":
        check(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit(2)
