#!/usr/bin/env bash
# The main job until the calendar window exists: vornelle-db makes a small sample theme table
# and shows what is in it, and today's message.
set -euo pipefail
cd "$(dirname "$0")/.."

db=build/release/tools/vornelle-db
folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-demo.XXXXXX")
trap 'rm -rf "$folder"' EXIT
theme=$folder/sample.dbf
today=$(date +%m%d)

step() { printf '\n$ vornelle-db %s\n' "$*"; "$db" "$@"; }

step create "$theme" THEDATE,C,4 THEJOKE,M
"$db" append "$theme" THEDATE=9999 "THEJOKE=A sample theme made by vornelle-db" >/dev/null
"$db" append "$theme" THEDATE=0101 "THEJOKE=A new year begins.
Make it a good one." >/dev/null
"$db" append "$theme" THEDATE=0704 "THEJOKE=Fireworks tonight." >/dev/null
"$db" append "$theme" THEDATE=1225 "THEJOKE=Frohe Weihnachten, schöne Grüße!" >/dev/null
"$db" append "$theme" THEDATE="$today" "THEJOKE=Today's message: the sample theme works." >/dev/null

step info "$theme"
step list "$theme"
step list "$theme" --filter "(THEDATE=\"$today\")" --format json
step locate "$theme" "THEJOKE NOCASE CONTAINED" "grüße"
step eval 'CDOW(DATE()) + ", " + DTOC(DATE())'
