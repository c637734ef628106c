"""Tables made byte by byte, for the shapes no writer at hand makes: damaged and odd headers,
Visual FoxPro's varchar and null flags, level 7's binary types.

A field is (name, type, length, decimals) or (name, type, length, decimals, flags); a record is
the bytes of its fields after the deletion byte, which is a blank unless the record starts
with b"*"."""
import struct


def descriptor(field, level7=False):
    name, kind, length, decimals = field[:4]
    flags = field[4] if len(field) > 4 else 0
    name = name.encode("latin-1") if isinstance(name, str) else name
    if level7:
        return (name.ljust(32, b"\0")[:32] + kind.encode() + bytes([length, decimals]) +
                bytes(13))
    return (name.ljust(11, b"\0")[:11] + kind.encode() + bytes(4) + bytes([length, decimals, flags]) +
            bytes(13))


def table(fields, records, version=0x03, count=None, record_length=None, driver=0, flags=0,
          after=b"\x1a"):
    """The bytes of a table: header, descriptors (32 bytes, 48 for level 7, with Visual FoxPro's
    263-byte area after them), the records and what follows them (the end mark by default).
    The record length is the sum of the fields' length bytes; `count` and `record_length`
    override what the header says."""
    level7 = version in (0x04, 0x8C)
    vfp = version in (0x30, 0x31, 0x32)
    body = b"".join(descriptor(f, level7) for f in fields) + b"\r" + (bytes(263) if vfp else b"")
    prolog = (bytes(36) if level7 else b"")
    header_length = 32 + len(prolog) + len(body)
    length = 1 + sum(f[2] for f in fields)
    rows = b"".join(r if r[:1] == b"*" else b" " + r for r in records)
    head = struct.pack("<B3BIHH16xBB2x", version, 124, 1, 2, len(records) if count is None else count,
                       header_length, length if record_length is None else record_length, flags, driver)
    return head + prolog + body + rows + after


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


def fpt(values, block_size=64):
    """A FoxPro memo file holding the text values in turn; their block numbers."""
    data = bytearray(struct.pack(">I2xH", 0, block_size).ljust(512, b"\0"))
    blocks = []
    for value in values:
        blocks.append(len(data) // block_size)
        data += struct.pack(">II", 1, len(value)) + value
        data += bytes(-len(data) % block_size)
    struct.pack_into(">I", data, 0, len(data) // block_size)
    return bytes(data), blocks
