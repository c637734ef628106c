#!/usr/bin/env python3
"""The translations are whole and current: every entry of translations/*.ts is translated, keeps
its placeholders, its one mnemonic and a trailing blank that a name follows, and lupdate run on
the sources (into copies) finds nothing new to translate and nothing gone.
Usage: translations_check.py LUPDATE SOURCE_DIR"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:\d+|n)")
MNEMONIC = re.compile(r"&(?!&)\S")


def problems(path):
    found = []
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{os.path.basename(path)}: {name}: {source!r}"
            kind = translation.get("type") if translation is not None else "missing"
            text = "" if translation is None else (translation.text or "")
            if kind in ("unfinished", "vanished", "obsolete", "missing") or not text:
                found.append(f"{where}: {kind or 'empty'}")
                continue
            if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                found.append(f"{where}: placeholders differ in {text!r}")
            if len(MNEMONIC.findall(source)) != len(MNEMONIC.findall(text)):
                found.append(f"{where}: mnemonics differ in {text!r}")
            if source.endswith(" ") != text.endswith(" "):
                found.append(f"{where}: trailing blank differs in {text!r}")
    return found


def main():
    lupdate, root = sys.argv[1], sys.argv[2]
    ts_files = sorted(glob.glob(os.path.join(root, "translations", "*.ts")))
    if not ts_files:
        print("no .ts files")
        return 1
    found = [p for path in ts_files for p in problems(path)]

    # The same sources as the build's update_translations target.
    sources = sorted(glob.glob(os.path.join(root, "app/gui/*.cpp")) + glob.glob(os.path.join(root, "app/gui/*.h")) +
                     glob.glob(os.path.join(root, "options/*.cpp")) + glob.glob(os.path.join(root, "options/*.h")))
    with tempfile.TemporaryDirectory() as scratch:
        copies = [shutil.copy(path, scratch) for path in ts_files]
        run = subprocess.run([lupdate, "-silent", "-I", root, "-locations", "none", *sources, "-ts", *copies],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        found += [f"after lupdate: {p}" for path in copies for p in problems(path) if p not in found]

    for problem in found:
        print(problem)
    print(f"{len(ts_files)} translations checked: {len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
