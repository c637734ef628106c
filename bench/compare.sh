#!/usr/bin/env bash
# vornelle-db of an older commit beside this tree's, so that a change to a read path shows what
# it did to every memo family: the old commit's tool is built in a scratch folder (kept under
# build/compare/COMMIT for the next run), then both tools list scan_bench's theme in each
# family (dBASE III, dBASE IV, FoxPro) in the same hyperfine runs: the full listing with every
# memo, the day filter as JSON lines and as a count, all to /dev/null. Prints each figure of
# both side by side, with new / old (above 1: the new tool is slower), the same for processor
# time (user and system, which other work on a shared machine stretches less), and both peaks
# of resident memory, and says where the two tools print different rows.
# Usage: bench/compare.sh OLD_COMMIT [BUILD_DIR]   (BUILD_DIR: this tree's, default
# build/release); RECORDS sets the table size (default 1000000), RUNS hyperfine's runs (5),
# FORMS the families (default "dbase3 dbase4 foxpro"; an older tool may not read "vfp"; with
# "-distinct" after a family, e.g. foxpro-distinct, every record has a memo value of its own).
set -euo pipefail
cd "$(dirname "$0")/.."

old=$(git rev-parse --verify "${1:?usage: bench/compare.sh OLD_COMMIT [BUILD_DIR]}^{commit}")
build=${2:-build/release}
records=${RECORDS:-1000000}
runs=${RUNS:-5}
new_tool=$build/tools/vornelle-db
for program in "$new_tool" "$build/bench/scan_bench"; do
  [[ -x $program ]] || { echo "$program is missing: build with scripts/build.sh release" >&2; exit 1; }
done
source bench/scan_tables.sh

# The old tool alone, from the commit's files (no checkout: the work tree stays as it is).
scratch=build/compare/$old
old_tool=$scratch/build/tools/vornelle-db
if [[ ! -x $old_tool ]]; then
  echo "building vornelle-db of ${old:0:12} in $scratch..." >&2
  rm -rf "$scratch"
  mkdir -p "$scratch/src"
  git archive "$old" | tar -x -C "$scratch/src"
  cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVORNELLE_GUI=OFF -DVORNELLE_TESTS=OFF -DVORNELLE_BENCH=OFF >/dev/null
  cmake --build "$scratch/build" --target vornelle-db -j "${JOBS:-$(nproc)}" >/dev/null
fi

folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-compare.XXXXXX")
trap 'rm -rf "$folder"' EXIT
results=$folder/results.tsv

# One workload of one family: both tools with the same arguments (the filter's quotes kept, as
# hyperfine splits commands as a shell would), then each once more for its peak memory.
compare() {
  local form=$1 what=$2 arguments=$3 times=$folder/times.json
  hyperfine --shell=none --warmup 1 --runs "$runs" --export-json "$times" \
    "$old_tool list $table $arguments" "$new_tool list $table $arguments" >&2
  local old_peak new_peak
  old_peak=$(eval "/usr/bin/time -f %M $old_tool list $table $arguments" 2>&1 >/dev/null | tail -1)
  new_peak=$(eval "/usr/bin/time -f %M $new_tool list $table $arguments" 2>&1 >/dev/null | tail -1)
  python3 - "$times" "$form" "$what" "$old_peak" "$new_peak" >>"$results" <<'PY'
import json, sys
old, new = json.load(open(sys.argv[1]))["results"]
cpu = lambda r: r["user"] + r["system"]
print("\t".join([sys.argv[2], sys.argv[3], f"{old['mean'] * 1000:.1f}", f"{new['mean'] * 1000:.1f}",
                 f"{new['mean'] / old['mean']:.2f}", f"{cpu(old) * 1000:.1f}", f"{cpu(new) * 1000:.1f}",
                 f"{cpu(new) / cpu(old):.2f}", f"{int(sys.argv[4]) / 1024:.1f}", f"{int(sys.argv[5]) / 1024:.1f}"]))
PY
}

for form in ${FORMS:-dbase3 dbase4 foxpro}; do
  table_of "$records" "$form"
  cat "$table" "$memo" >/dev/null  # into the page cache
  if ! cmp -s <("$old_tool" list "$table" --format json) <("$new_tool" list "$table" --format json); then
    echo "note: the two tools list $table differently" >&2
  fi
  compare "$form" "full listing with every memo" "--format json"
  compare "$form" "filtered scan (THEDATE=\"0704\")" "--filter 'THEDATE=\"0704\"' --format json"
  compare "$form" "filtered count (THEDATE=\"0704\")" "--filter 'THEDATE=\"0704\"' --count"
done

echo
echo "vornelle-db of ${old:0:12} (old) and of $build (new), $records records, $runs runs each"
python3 - "$results" <<'PY'
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1])]
print(f"{'family':<15} {'workload':<34} {'old ms':>9} {'new ms':>9} {'new/old':>8} "
      f"{'old cpu':>9} {'new cpu':>9} {'new/old':>8} {'old MiB':>8} {'new MiB':>8}")
for form, what, *figures in rows:
    print(f"{form:<15} {what:<34} " + " ".join(f"{f:>{w}}" for f, w in zip(figures, (9, 9, 8, 9, 9, 8, 8, 8))))
PY
