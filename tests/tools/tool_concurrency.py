#!/usr/bin/python3
"""Several vornelle-db processes changing one table at once lose nothing.

Four writers append 500 records each, every one with a memo, while two others replace records
that are already there. Afterwards every appended record is present and whole, its memo
included, and every replaced record holds one writer's change completely.

Usage: tool_concurrency.py VORNELLE_DB [APPENDS_PER_WRITER]
"""
import json
import os
import subprocess
import sys
import tempfile
import threading
import unittest

TOOL = None
APPENDS = 500
WRITERS = 4


def note_for(name, version):
    # Memos of many lengths, so values cross block boundaries.
    return "%s v%d\r\n%s" % (name, version, "m" * (len(name) * 53 % 900))


def tool(*args):
    done = subprocess.run([TOOL] + list(args), capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError("vornelle-db %s: %s" % (" ".join(args[:3]), done.stderr))
    return done.stdout


class Concurrency(unittest.TestCase):
    def test_appenders_and_replacers_lose_nothing(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "busy.dbf")
            tool("create", path, "NAME,C,12", "VERSION,N,4", "NOTE,M")
            seeds = ["seed%d" % i for i in range(20)]
            for name in seeds:
                tool("append", path, "NAME=" + name, "VERSION=0", "NOTE=" + note_for(name, 0))
            failures = []

            def append(writer):
                try:
                    for i in range(APPENDS):
                        name = "w%d-%d" % (writer, i)
                        tool("append", path, "NAME=" + name, "VERSION=0",
                             "NOTE=" + note_for(name, 0))
                except AssertionError as e:
                    failures.append(str(e))

            def replace(replacer):
                try:
                    for i in range(APPENDS // 10):
                        recno = 1 + (replacer * 7 + i * 3) % len(seeds)
                        name = seeds[recno - 1]
                        version = replacer * 1000 + i + 1
                        tool("replace", path, str(recno), "VERSION=%d" % version,
                             "NOTE=" + note_for(name, version))
                except AssertionError as e:
                    failures.append(str(e))

            threads = [threading.Thread(target=append, args=(w,)) for w in range(WRITERS)]
            threads += [threading.Thread(target=replace, args=(r,)) for r in range(2)]
            for t in threads:
                t.start()
            for t in threads:
                t.join()
            self.assertEqual(failures, [])

            rows = [json.loads(line) for line in tool("list", path, "--format", "json").splitlines()]
            self.assertEqual(len(rows), len(seeds) + WRITERS * APPENDS)
            appended = set()
            for row in rows:
                name, version = row["NAME"], row["VERSION"]
                self.assertEqual(row["NOTE"], note_for(name, version), "record %d" % row["_recno"])
                if row["_recno"] <= len(seeds):
                    self.assertEqual(name, seeds[row["_recno"] - 1])
                else:
                    appended.add(name)
            self.assertEqual(appended, {"w%d-%d" % (w, i) for w in range(WRITERS)
                                        for i in range(APPENDS)})
            info = json.loads(tool("info", path, "--json"))
            self.assertEqual(info["records"], len(rows))
            with open(path, "rb") as f:
                data = f.read()
            self.assertEqual(int.from_bytes(data[4:8], "little"), len(rows))
            self.assertEqual(data[-1:], b"\x1a")


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    if len(sys.argv) > 1 and sys.argv[1].isdigit():
        APPENDS = int(sys.argv.pop(1))
    unittest.main()
