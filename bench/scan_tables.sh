# Sourced by the scan benchmarks: the theme tables scan_bench makes and caches, in each memo
# family. Needs `build` (the build folder) set.

# The table of `records` records in memo family `form` (dbase3, dbase4, foxpro or vfp; with
# "-distinct" after it, e.g. dbase3-distinct, the table whose every record has a memo value of
# its own), made by scan_bench (its main makes every family's before matching any benchmark)
# when it is not there yet: sets table and memo.
table_of() {
  local records=$1 form=${2%-distinct} data=${VORNELLE_BENCH_DIR:-$build/bench/data} distinct=0 suffix=
  [[ $2 == *-distinct ]] && distinct=1 suffix=_distinct
  table=$data/scan_${records}_$form$suffix.dbf
  [[ $form == dbase4 ]] && table=$data/scan_$records$suffix.dbf
  if [[ ! -f ${table%.dbf}.done ]]; then
    echo "making the tables of $records records..." >&2
    VORNELLE_BENCH_RECORDS=$records VORNELLE_BENCH_DISTINCT=$distinct \
      "$build/bench/scan_bench" --benchmark_filter='^$' >/dev/null 2>&1
  fi
  memo=${table%.dbf}.dbt
  [[ $form == foxpro || $form == vfp ]] && memo=${table%.dbf}.fpt
  return 0
}
