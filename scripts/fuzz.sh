#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from its seed corpus. A crash, a sanitizer report, a
# hang (a single input running over 10 s) or running out of memory fails the run.
# Usage: scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
# Undefined behaviour ends the run like a crash, rather than only printing a line.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
status=0
for target in build/fuzz/fuzz/*_fuzz; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target" _fuzz)
  work=build/fuzz/corpus/$name
  artifacts=build/fuzz/artifacts/$name
  mkdir -p "$work" "$artifacts"
  [[ -d fuzz/corpus/$name ]] && cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  echo "-- $name: ${seconds}s"
  if ! "$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"build/fuzz/$name.log" 2>&1; then
    echo "fuzz target $name failed; see build/fuzz/$name.log and $artifacts/" >&2
    tail -40 "build/fuzz/$name.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units' "build/fuzz/$name.log" || true
  fi
done
exit $status
