#!/usr/bin/env bash
# Starts the calendar on the sample folder build/sample-folder (made from the sample themes when
# missing, kept between runs so that its settings persist). Without a display it prints today's
# messages instead, through the same lookup the window uses.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/release
folder=build/sample-folder
if [[ ! -f "$folder/Vornel.Ini" ]]; then
  mkdir -p "$folder"
  cp "$build"/samples/*.dbf "$build"/samples/*.dbt "$build"/samples/Vornel.Ini \
     "$build"/samples/Vornel.html "$folder"/
  echo "Made the sample folder $folder."
fi

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Starting the calendar on $folder."
  exec "$build/app/gui/vornelle" "$folder"
fi
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set), so no window."
echo "Today's messages from the themes of $folder:"
echo
exec "$build/tools/vornelle-db" day --folder "$folder"
