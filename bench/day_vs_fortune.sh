#!/usr/bin/env bash
# The terminal companion as a whole process: `vornelle-db day` over 20 themes of 366 records,
# beside `fortune` (Debian's fortune-mod) in the same hyperfine run, with the ratio of their
# mean times. Usage: bench/day_vs_fortune.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
tool=$build/tools/vornelle-db
folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-day-bench.XXXXXX")
trap 'rm -rf "$folder"' EXIT

# 20 themes made from the sample texts, all displayed.
{
  echo "[THEMES]"
  echo "ThemeLINES=20"
} > "$folder/Vornel.Ini"
for i in $(seq -w 0 19); do
  source=samples/themes/garden.txt
  (( 10#$i % 2 )) && source=samples/themes/almanac.txt
  "$tool" theme import "$source" "$folder/theme$i.dbf" >/dev/null
  echo "DB_$((10#$i))=theme$i.dbf" >> "$folder/Vornel.Ini"
done

fortune=$(command -v fortune || echo /usr/games/fortune)
hyperfine --shell=none --warmup 5 --min-runs 50 --export-json "$folder/times.json" \
  "$fortune" "$tool day --folder $folder" >&2
python3 - "$folder/times.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
fortune, day = results[0]["mean"], results[1]["mean"]
print(f"fortune {fortune * 1000:.2f} ms, vornelle-db day (20 themes) {day * 1000:.2f} ms, "
      f"ratio {day / fortune:.2f}")
PY
