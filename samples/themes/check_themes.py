#!/usr/bin/env python3
"""Checks the sample themes' text files: python3 check_themes.py [FILE.txt ...] (default: all here).

A theme passes when it has a description (@9999), exactly one message for each of the 366 days
0101..1231 including 0229 and no other record, no empty and no repeated message, and only
printable ASCII lines of at most 90 characters.
"""
import calendar
import pathlib
import sys

DAYS = [f"{m:02d}{d:02d}" for m in range(1, 13) for d in range(1, calendar.monthrange(2024, m)[1] + 1)]


def read(path):
    records, problems, key = {}, [], None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if line.startswith("#"):
            continue
        if len(line) == 5 and line[0] == "@" and line[1:].isdigit():
            key = line[1:]
            if key in records:
                problems.append(f"line {number}: a second record for {key}")
            records[key] = []
            continue
        if key is None:
            if line:
                problems.append(f"line {number}: text before the first record")
            continue
        if line.startswith("\\"):
            line = line[1:]
        if len(line) > 90:
            problems.append(f"line {number}: longer than 90 characters")
        if any(not 32 <= ord(c) <= 126 for c in line):
            problems.append(f"line {number}: a character that is not printable ASCII")
        records[key].append(line)
    for lines in records.values():
        while lines and not lines[-1]:
            lines.pop()
    return records, problems


def check(path):
    records, problems = read(path)
    if not records.get("9999") or not records["9999"][0].strip():
        problems.append("no description (@9999)")
    missing = [k for k in DAYS if k not in records]
    extra = [k for k in records if k not in DAYS and k != "9999"]
    if missing:
        problems.append(f"no message for {len(missing)} days: {' '.join(missing[:10])}")
    if extra:
        problems.append(f"records that are no day: {' '.join(extra[:10])}")
    seen = {}
    for key in DAYS:
        text = "\n".join(records.get(key, []))
        if key in records and not text.strip():
            problems.append(f"{key}: an empty message")
        elif text and text in seen:
            problems.append(f"{key}: the same message as {seen[text]}")
        seen.setdefault(text, key)
    return records, problems


def main(arguments):
    folder = pathlib.Path(__file__).resolve().parent
    paths = [pathlib.Path(a) for a in arguments] or sorted(folder.glob("*.txt"))
    failed = False
    for path in paths:
        records, problems = check(path)
        if problems:
            failed = True
            for problem in problems:
                print(f"{path.name}: {problem}", file=sys.stderr)
        else:
            print(f"{path.name}: {records['9999'][0]!r}, {len(records) - 1} days, ok")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
