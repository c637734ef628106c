#!/usr/bin/env bash
# Runs every fuzz target of the asan build for a bounded time from its seed corpus, the targets
# side by side (one per core, as many at a time as there are cores). A crash, a sanitizer
# report, a hang (a single input running over 10 s) or running out of memory fails the run.
# Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
build=build/asan
# Undefined behaviour ends the run like a crash, rather than only printing a line.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# One target's bounded run; its status is the run's.
fuzz() {
  local target=$1 name
  name=$(basename "$target" _fuzz)
  local work=$build/fuzz/corpus/$name artifacts=$build/fuzz/artifacts/$name
  mkdir -p "$work" "$artifacts"
  [[ -d fuzz/corpus/$name ]] && cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  if ! "$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$build/fuzz/$name.log" 2>&1; then
    echo "fuzz target $name failed; see $build/fuzz/$name.log and $artifacts/" >&2
    tail -40 "$build/fuzz/$name.log" >&2
    return 1
  fi
  echo "-- $name: ${seconds}s, $(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$build/fuzz/$name.log" | grep -oE '[0-9]+$') runs"
}

status=0
pids=()
for target in "$build"/fuzz/*_fuzz; do
  [[ -x "$target" ]] || continue
  if ((${#pids[@]} >= $(nproc))); then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
  fuzz "$target" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
exit $status
