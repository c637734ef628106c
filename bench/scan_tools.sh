#!/usr/bin/env bash
# `vornelle-db list` as a whole process on scan_bench's theme tables of 10,000, 100,000 and
# 1,000,000 records, beside peer programs and the raw read of the files (cat) in the same
# hyperfine runs, for three workloads: the day filter (THEDATE="0704", 1 record in 366) as JSON
# lines and as a count, and the full listing with every memo as JSON lines, all to /dev/null,
# with each command's peak resident memory (/usr/bin/time). Peers:
# python3-dbfread, printing the same JSON lines (checked against vornelle-db's before timing; it
# reads every memo even under the filter, as it parses every field of a record) and, under the
# filter, only counting raw records, its quickest way; and, when installed, pgdbf (the whole
# table as SQL, from a FoxPro copy whose memos it reads). Prints the mean times and the ratio of
# vornelle-db's to each peer's (0.5 = vornelle-db takes half the peer's time).
# Usage: bench/scan_tools.sh [BUILD_DIR]; RUNS sets hyperfine's runs per command (default 5),
# SIZES the record counts (default "10000 100000 1000000").
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
tool=$build/tools/vornelle-db
runs=${RUNS:-5}
folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-scan-tools.XXXXXX")
trap 'rm -rf "$folder"' EXIT

# The table of `records` records scan_bench makes and caches; its main makes it before matching
# any benchmark.
make_table() {
  table=${VORNELLE_BENCH_DIR:-$build/bench/data}/scan_$1.dbf
  if [[ ! -f $table ]]; then
    echo "making $table..." >&2
    VORNELLE_BENCH_RECORDS=$1 "$build/bench/scan_bench" --benchmark_filter='^$' >/dev/null 2>&1
  fi
  memo=${table%.dbf}.dbt
}

# Debian's module is for Debian's python, which a python3 earlier on PATH may not be.
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import dbfread' 2>/dev/null; then python=$candidate; break; fi
done

# vornelle-db's JSON lines from dbfread: _recno, _deleted, then the fields. dbfread reads a
# dBASE IV memo's length as that of its text, though it counts the 8-byte block header too,
# so each value comes with 8 bytes of what follows it (NULs here): they are cut off. dbfread
# skips deleted records, so the numbering holds only for a table without any (as this one).
cat > "$folder/dbfread_list.py" <<'PY'
import json, sys
import dbfread
path, day = sys.argv[1], sys.argv[2] if len(sys.argv) > 2 else None
out = sys.stdout.buffer
for recno, record in enumerate(dbfread.DBF(path, encoding="cp437"), 1):
    if day is not None and record["THEDATE"] != day:
        continue
    row = {"_recno": recno, "_deleted": False}
    for name, value in record.items():
        row[name] = value.rstrip("\0") if isinstance(value, str) else value
    out.write((json.dumps(row, ensure_ascii=False) + "\n").encode())
PY

workloads=0
# dbfread at its quickest under the filter: records as stored bytes, no field parsed and no memo
# read, only counted.
cat > "$folder/dbfread_count.py" <<'PY'
import sys
import dbfread
path, day = sys.argv[1], sys.argv[2].encode()
print(sum(1 for record in dbfread.DBF(path, raw=True) if record["THEDATE"] == day))
PY

# One workload: its name, then the commands as "label=command" pairs, vornelle-db's first.
workload() {
  local name=$1 times=$folder/times$((++workloads)).json; shift
  local labels=() commands=()
  for pair in "$@"; do labels+=("${pair%%=*}"); commands+=("${pair#*=}"); done
  hyperfine --shell=none --warmup 1 --runs "$runs" --export-json "$times" \
    "${commands[@]}" >&2
  # Each command once more, for its peak resident memory in KiB.
  local peaks=()
  for command in "${commands[@]}"; do
    peaks+=("$(eval "/usr/bin/time -f %M $command" 2>&1 >/dev/null | tail -1)")
  done
  python3 - "$times" "$name" "${#labels[@]}" "${labels[@]}" "${peaks[@]}" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
name, count = sys.argv[2], int(sys.argv[3])
labels, peaks = sys.argv[4:4 + count], sys.argv[4 + count:]
ours = results[0]["mean"]
print(f"{name}:")
for label, result, peak in zip(labels, results, peaks):
    mean = result["mean"]
    ratio = "" if result is results[0] else f"  vornelle-db / {label} = {ours / mean:.2f}"
    spread = result["stddev"] or 0  # none from a single run
    print(f"  {label:<24} {mean * 1000:9.1f} ms ± {spread * 1000:6.1f}  {int(peak) / 1024:7.1f} MiB{ratio}")
PY
}

# Both programs must print the same rows, or the times compare different work. The rows are
# compared as JSON values, not bytes: the two may spell the same value differently (escapes,
# numbers). Arguments: the workload, the day for dbfread (empty for all), then
# vornelle-db's filter options.
cat > "$folder/same_rows.py" <<'PY'
import itertools, json, sys
with open(sys.argv[1], "rb") as ours, open(sys.argv[2], "rb") as theirs:
    for n, (a, b) in enumerate(itertools.zip_longest(ours, theirs), 1):
        if a is None or b is None or json.loads(a) != json.loads(b):
            sys.exit(f"line {n}: {a!r} / {b!r}")
PY
same_output() {
  local what=$1 day=$2; shift 2
  if ! python3 "$folder/same_rows.py" <("$tool" list "$table" --format json "$@") \
      <("$python" "$folder/dbfread_list.py" "$table" ${day:+"$day"}); then
    echo "vornelle-db and dbfread print different rows for the $what" >&2
    exit 1
  fi
}

# One table size: the checks that both programs list the same rows, then the workloads.
measure() {
  make_table "$1"
# hyperfine splits the commands as a shell would: the filter needs its quotes kept.
filtered=("vornelle-db=$tool list $table --filter 'THEDATE=\"0704\"' --format json"
          "raw read=cat $table $memo")
counted=("vornelle-db=$tool list $table --filter 'THEDATE=\"0704\"' --count" "raw read=cat $table $memo")
listing=("vornelle-db=$tool list $table --format json" "raw read=cat $table $memo")
if [[ -n $python ]]; then
  same_output "day filter" 0704 --filter 'THEDATE="0704"'
  same_output "full listing" ""
  filtered+=("dbfread=$python $folder/dbfread_list.py $table 0704"
             "dbfread raw count=$python $folder/dbfread_count.py $table 0704")
  listing+=("dbfread=$python $folder/dbfread_list.py $table")
else
  echo "python3-dbfread is not installed: left out" >&2
fi

# pgdbf has no filter, so it takes part in the full listing only. It writes the memo column
# empty for a dBASE IV .dbt, so it lists a FoxPro copy of the table (.fpt memos, which it reads),
# and so does vornelle-db beside it.
fox_listing=()
if command -v pgdbf >/dev/null; then
  fox=$folder/scan_fox.dbf
  python3 - "$table" "$memo" "$fox" <<'PY'
import struct, sys
table, memo, fox = sys.argv[1:]
dbf = bytearray(open(table, "rb").read())
dbt = open(memo, "rb").read()
header_length, record_length = struct.unpack_from("<HH", dbf, 8)
block_size = struct.unpack_from("<H", dbt, 20)[0] or 512
fpt, moved = bytearray(512), {}  # a 512-byte header, then 64-byte blocks
def copy_value(block):
    start = block * block_size
    length = struct.unpack_from("<I", dbt, start + 4)[0] - 8
    text = dbt[start + 8:start + 8 + length]
    moved[block] = len(fpt) // 64
    fpt.extend(struct.pack(">II", 1, len(text)) + text)
    fpt.extend(b"\0" * (-len(fpt) % 64))
    return moved[block]
dbf[0] = 0xF5
for at in range(header_length, len(dbf) - record_length + 1, record_length):
    field = dbf[at + 5:at + 15]  # THEJOKE, after the deletion flag and THEDATE
    if field.strip():
        block = int(field)
        dbf[at + 5:at + 15] = b"%10d" % (moved.get(block) or copy_value(block))
struct.pack_into(">I", fpt, 0, len(fpt) // 64)
struct.pack_into(">H", fpt, 6, 64)
open(fox, "wb").write(dbf)
open(fox[:-4] + ".fpt", "wb").write(fpt)
PY
  if ! cmp -s <("$tool" list "$table" --format json) <("$tool" list "$fox" --format json); then
    echo "the FoxPro copy does not list as the table does" >&2
    exit 1
  fi
  if [[ $(pgdbf -m "${fox%.dbf}.fpt" "$fox" | grep -c 'new day' || true) == 0 ]]; then
    echo "pgdbf left the FoxPro copy's memos empty" >&2
    exit 1
  fi
  fox_listing=("vornelle-db=$tool list $fox --format json" "pgdbf=pgdbf -m ${fox%.dbf}.fpt $fox"
               "raw read=cat $fox ${fox%.dbf}.fpt")
else
  echo "pgdbf is not installed: left out" >&2
fi

echo "$table, $runs runs each"
workload "filtered scan (THEDATE=\"0704\")" "${filtered[@]}"
workload "filtered count (THEDATE=\"0704\")" "${counted[@]}"
workload "full listing with every memo" "${listing[@]}"
if (( ${#fox_listing[@]} )); then
  workload "full listing with every memo, FoxPro copy" "${fox_listing[@]}"
fi
}

for records in ${SIZES:-10000 100000 1000000}; do
  measure "$records"
done
