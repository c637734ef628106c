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

# Level 7's binary types: I and + big-endian with the sign bit inverted, O ordered, @ a
# big-endian double of milliseconds.
binary7 = [("I", "I", 4, 0), ("ID", "+", 4, 0), ("O", "O", 8, 0), ("AT", "@", 8, 0)]
seed("level7_binary", header(0x04, binary7, [b" " + struct.pack(">II", 0x7FFFFFFB, 0x80000007) + bytes.fromhex(
    "3ffbffffffffffff42ccf9bdcaa9d000")], level7=True))
# Visual FoxPro's varchar and varbinary with their lengths and nulls in the hidden _NullFlags.
vfp = bytearray(header(0x32, [("V", "V", 6, 0), ("Q", "Q", 4, 0), ("N", "I", 4, 0), ("_NullFlags", "0", 1, 0)],
                       [b" hi\0\0\0\x02\x01\0\0\x01\x05\0\0\0\x03", b"*sixsix\xff\xfe\xfd\xfc\xff\xff\xff\xff\x00"]))
for i, flags in enumerate((0x02, 0x06, 0x02, 0x05)):
    vfp[32 * (i + 1) + 18] = flags
hl = struct.unpack_from("<H", vfp, 8)[0]
struct.pack_into("<H", vfp, 8, hl + 263)
seed("vfp_varchar", bytes(vfp[:hl]) + bytes(263) + bytes(vfp[hl:]))
# A C field 300 wide, its high byte in the decimals byte.
wide = bytearray(header(0x03, [("NOTE", "C", 44, 1), ("N", "N", 3, 0)], [b" " + b"x" * 300 + b"  7"]))
struct.pack_into("<H", wide, 10, 304)
seed("wide_char", bytes(wide))

def peer_seed(folder, kind, ext, spec, rows):
    """A seed of the table and memo file python3-dbf writes in its `kind` of table."""
    path = os.path.join(folder, "peer_" + kind)
    t = dbf.Table(path, spec, dbf_type=kind, codepage="cp437")
    t.open(dbf.READ_WRITE)
    for row in rows:
        t.append(row)
    t.close()
    with open(path + ".dbf", "rb") as f:
        table = f.read()
    with open(path + "." + ext, "rb") as f:
        memo = f.read()
    seed("peer_" + kind, table, memo)


with tempfile.TemporaryDirectory() as folder:
    for kind, ext in (("db3", "dbt"), ("fp", "fpt")):
        peer_seed(folder, kind, ext, "name C(10); day D; note M",
                  [("one", datetime.date(2020, 2, 29), "memo text\r\nsecond line"), ("two", None, None)])
    # Visual FoxPro's binary types and null flags, and Clipper's wide C field.
    peer_seed(folder, "vfp", "fpt", "name C(10) null; qty I; price Y; ratio B; at T null; note M null",
              [("one", -7, 12.5, 2.5, datetime.datetime(2024, 3, 5, 14, 30), "memo")])
    peer_seed(folder, "clp", "dbt", "note C(300); n N(3,0); memo M", [("x" * 290, 7, "memo")])
