#!/usr/bin/python3
"""Writes the seed corpus of the table fuzz target: small tables of every header family, with
memo files of every layout. Each seed is a 2-byte little-endian table length, the table file,
then the memo file."""
import datetime
import os
import struct
import sys
import tempfile

import dbf

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "corpus", "table")
os.makedirs(out, exist_ok=True)


def seed(name, table, memo=b""):
    with open(os.path.join(out, name), "wb") as f:
        f.write(struct.pack("<H", len(table)) + table + memo)


def header(version, fields, records, level7=False):
    width, first = (48, 68) if level7 else (32, 32)
    hl = first + width * len(fields) + 1
    rl = 1 + sum(f[2] for f in fields)
    h = bytearray(hl)
    h[0] = version
    h[1:4] = bytes([124, 1, 2])
    struct.pack_into("<IHH", h, 4, len(records), hl, rl)
    for i, (name, typ, length, dec) in enumerate(fields):
        at = first + width * i
        h[at:at + len(name)] = name.encode()
        t = at + (32 if level7 else 11)
        h[t] = ord(typ)
        h[t + (1 if level7 else 5)] = length
        h[t + (2 if level7 else 6)] = dec
    h[-1] = 0x0D
    body = b"".join(r.ljust(rl, b" ") for r in records)
    return bytes(h) + body + b"\x1a"


fields = [("KEY", "C", 4, 0), ("NUM", "N", 6, 2), ("DAY", "D", 8, 0), ("OK", "L", 1, 0)]
rows = [b" 0101  1.50 20240101T", b"*0704 -2.25 20241345?", b" 9999                "]
seed("dbase3", header(0x03, fields, rows))
seed("level7", header(0x04, fields, rows, level7=True))
d2 = bytearray(521)
d2[0] = 2
struct.pack_into("<H", d2, 1, 2)
d2[3:6] = bytes([12, 31, 99])
struct.pack_into("<H", d2, 6, 6)
d2[8:11] = b"ABC"
d2[8 + 11] = ord("C")
d2[8 + 12] = 5
d2[8 + 16] = 0x0D
seed("dbase2", bytes(d2) + b" hello world")

memo_fields = [("KEY", "C", 4, 0), ("NOTE", "M", 10, 0)]
memo_rows = [b" 0101         1", b" 0102         2", b" 9999          "]
d4 = bytearray(512)
struct.pack_into("<I", d4, 0, 3)
struct.pack_into("<H", d4, 20, 512)
d4 += (b"\xff\xff\x08\x00" + struct.pack("<I", 8 + 12) + b"line\r\nline 2").ljust(512, b"\0")
d4 += (b"\xff\xff\x08\x00" + struct.pack("<I", 8 + 4) + b"\x8d\x0a\x0d\x0a")
seed("dbase4_memo", header(0x8B, memo_fields, memo_rows), bytes(d4))
d3 = struct.pack("<I", 3).ljust(512, b"\0") + b"text\x1a\x1a".ljust(512, b"\0") + b"more\x1a"
seed("dbase3_memo", header(0x83, memo_fields, memo_rows), d3)
fox = (struct.pack(">I", 3) + b"\0\0" + struct.pack(">H", 64)).ljust(512, b"\0")
fox += (struct.pack(">II", 1, 5) + b"hello").ljust(64, b"\0") + struct.pack(">II", 1, 0)
seed("foxpro_memo", header(0xF5, memo_fields, [b" 0101         8", b" 0102         9"]), fox)

with tempfile.TemporaryDirectory() as folder:
    for kind, ext in (("db3", "dbt"), ("fp", "fpt")):
        path = os.path.join(folder, "peer_" + kind)
        t = dbf.Table(path, "name C(10); day D; note M", dbf_type=kind, codepage="cp437")
        t.open(dbf.READ_WRITE)
        t.append(("one", datetime.date(2020, 2, 29), "memo text\r\nsecond line"))
        t.append(("two", None, None))
        t.close()
        with open(path + ".dbf", "rb") as f:
            table = f.read()
        with open(path + "." + ext, "rb") as f:
            memo = f.read()
        seed("peer_" + kind, table, memo)
