#!/usr/bin/env bash
# `vornelle-db list` as a whole process on scan_bench's theme of 10,000, 100,000 and 1,000,000
# records in each memo family (dBASE III values ended by 0x1A 0x1A, dBASE IV and FoxPro values
# with a length header, Visual FoxPro's in FoxPro's memo file), beside peer programs and the raw
# read of the files (cat) in the same hyperfine runs, for three workloads: the day filter
# (THEDATE="0704", 1 record in 366) as JSON lines and as a count, and the full listing with
# every memo as JSON lines, all to /dev/null, with each command's peak resident memory
# (/usr/bin/time). Peers:
#  - python3-dbfread, printing the same JSON lines (checked against vornelle-db's before timing;
#    it reads every memo even under the filter, as it parses every field of a record) and, under
#    the filter, only counting raw records, its quickest way;
#  - pgdbf, the whole table as SQL, in the full listing: it reads dBASE III and FoxPro memos but
#    leaves dBASE IV ones empty, so the dBASE IV listing is set against its time on the FoxPro
#    form of the same theme;
#  - libxbase64, through bench/xbase64_list, every record with its memo as text lines (not on
#    the Visual FoxPro form, which it does not read).
# Every peer is checked to have read every memo before it is timed. Then the calendar's own reads
# through vornelle-db (day --json, find) beside vornelle-db's scans. Prints the mean times and
# the ratio of the first command's to each other's (0.5 = it takes half the other's time).
# Usage: bench/scan_tools.sh [BUILD_DIR]; RUNS sets hyperfine's largest number of runs per
# command (default 5; a command of more than a second and a half gets 2), SIZES the record
# counts (default "10000 100000 1000000"), FORMS the families (default "dbase3 dbase4 foxpro vfp";
# "dbase3-distinct" and so on: the same theme with a memo value of its own in every record).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
tool=$build/tools/vornelle-db
xbase64=$build/bench/xbase64_list
runs=${RUNS:-5}
forms=${FORMS:-dbase3 dbase4 foxpro vfp}
folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-scan-tools.XXXXXX")
trap 'rm -rf "$folder"' EXIT
for program in "$tool" "$xbase64" "$build/bench/scan_bench"; do
  [[ -x $program ]] || { echo "$program is missing: build with scripts/build.sh release" >&2; exit 1; }
done

source bench/scan_tables.sh

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

# dbfread at its quickest under the filter: records as stored bytes, no field parsed and no memo
# read, only counted.
cat > "$folder/dbfread_count.py" <<'PY'
import sys
import dbfread
path, day = sys.argv[1], sys.argv[2].encode()
print(sum(1 for record in dbfread.DBF(path, raw=True) if record["THEDATE"] == day))
PY

workloads=0
# One workload: its name, then the commands as "label=command" pairs, vornelle-db's first.
workload() {
  local name=$1 times=$folder/times$((++workloads)).json; shift
  local labels=() commands=()
  for pair in "$@"; do labels+=("${pair%%=*}"); commands+=("${pair#*=}"); done
  # The files were read by the checks, so they are in the page cache: no warm-up runs.
  hyperfine --shell=none --min-runs 2 --max-runs "$runs" --export-json "$times" \
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
    ratio = "" if result is results[0] else f"  {labels[0]} / {label} = {ours / mean:.2f}"
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
    echo "vornelle-db and dbfread print different rows for the $what of $table" >&2
    exit 1
  fi
}

# A peer that reads every memo prints each message's first words as often as vornelle-db does.
memos_read() {
  local what=$1; shift
  local found
  found=$("$@" | grep -o 'new day' | wc -l)
  if [[ $found != "$expected_memos" ]]; then
    echo "$what printed $found of the $expected_memos memos that hold 'new day'" >&2
    exit 1
  fi
}

# One table size in one family: the checks that every program reads the same rows and every
# memo, then the workloads.
measure() {
  local records=$1 form=$2 family=${2%-distinct}
  local variant=${form#"$family"}  # the distinct tables are set against distinct tables
  table_of "$records" "foxpro$variant"
  local fox=$table fox_memo=$memo
  table_of "$records" "dbase4$variant"
  local reference=$table
  table_of "$records" "$form"
  cat "$table" "$memo" "$fox" "$fox_memo" >/dev/null  # into the page cache
  if ! cmp -s <("$tool" list "$table" --format json) <("$tool" list "$reference" --format json); then
    echo "the $form form does not list as the dBASE IV one does" >&2
    exit 1
  fi
  expected_memos=$("$tool" list "$table" --format json | grep -o 'new day' | wc -l)

  # hyperfine splits the commands as a shell would: the filter needs its quotes kept.
  local filtered=("vornelle-db=$tool list $table --filter 'THEDATE=\"0704\"' --format json"
                  "raw read=cat $table $memo")
  local counted=("vornelle-db=$tool list $table --filter 'THEDATE=\"0704\"' --count"
                 "raw read=cat $table $memo")
  local listing=("vornelle-db=$tool list $table --format json" "raw read=cat $table $memo")
  if [[ -n $python ]]; then
    same_output "day filter" 0704 --filter 'THEDATE="0704"'
    same_output "full listing" ""
    filtered+=("dbfread=$python $folder/dbfread_list.py $table 0704"
               "dbfread raw count=$python $folder/dbfread_count.py $table 0704")
    listing+=("dbfread=$python $folder/dbfread_list.py $table")
  else
    echo "python3-dbfread is not installed: left out" >&2
  fi
  if command -v pgdbf >/dev/null; then
    if [[ $family == dbase4 ]]; then
      memos_read "pgdbf on the FoxPro form" pgdbf -m "$fox_memo" "$fox"
      listing+=("pgdbf (FoxPro form)=pgdbf -m $fox_memo $fox")
    else
      memos_read "pgdbf" pgdbf -m "$memo" "$table"
      listing+=("pgdbf=pgdbf -m $memo $table")
    fi
  else
    echo "pgdbf is not installed: left out" >&2
  fi
  if [[ $family != vfp ]]; then  # libxbase64 does not read Visual FoxPro tables
    memos_read "libxbase64" "$xbase64" "$table"
    listing+=("libxbase64=$xbase64 $table")
  fi

  # The calendar's own reads through vornelle-db, set against its scans of the same table: the
  # day lookup through the table component (with --json also the description, which this theme
  # lacks, so that the lookup goes through the whole table) and the search.
  local folder_of=${table%/*} theme=${table##*/}
  local day=("vornelle-db day=$tool day --json --date 2024-07-04 --folder $folder_of ${theme%.dbf}"
             "list filtered count=$tool list $table --filter 'THEDATE=\"0704\"' --count")
  local find=("vornelle-db find=$tool find scarecrow --folder $folder_of ${theme%.dbf}"
              "list filtered count=$tool list $table --filter 'THEDATE=\"0704\"' --count"
              "list with every memo=$tool list $table --format json")

  echo "$table ($form), at most $runs runs each"
  workload "$form, filtered scan (THEDATE=\"0704\")" "${filtered[@]}"
  workload "$form, filtered count (THEDATE=\"0704\")" "${counted[@]}"
  workload "$form, full listing with every memo" "${listing[@]}"
  workload "$form, the calendar's day lookup (day --json)" "${day[@]}"
  workload "$form, the calendar's search (find)" "${find[@]}"
}

for records in ${SIZES:-10000 100000 1000000}; do
  for form in $forms; do
    measure "$records" "$form"
  done
done
