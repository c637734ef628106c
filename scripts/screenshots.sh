#!/usr/bin/env bash
# Starts the calendar under Xvfb on a copy of the sample folder and writes PNGs of the main window
# (in the desktop's light and dark colours and in its own),
# the About box, the options dialog, the theme editor, the find window, a match found again with
# F3, the print preview, a PDF page of a month (from the window test) and misspellings underlined
# in the theme editor to build/screenshots,
# the main window, the About box, the options dialog and the Edit menu in German (*-de.png),
# the Edit menu in French (menu-fr.png), and a theme with Greek text in the pane, the find window
# and the editor (*-greek.png), and the editor on a theme the system provides
# (theme-editor-system.png).
# Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

window() {  # the id of the window titled $1, waiting up to 10 s for it
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
    [[ -n "$id" ]] && { sleep 0.5; echo "$id"; return; }
    sleep 0.1
  done
  echo "no window titled '$1'" >&2
  exit 1
}

start_in() {  # start_in LANGUAGE LOCALE PROGRAM FOLDER: the calendar as a desktop in that language starts it
  # Qt needs no such locale installed for its dates.
  LANGUAGE=$1 LANG=$2 LC_ALL='' LC_MESSAGES='' LC_TIME='' "$3" "$4" 2>/dev/null &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
}

menu_open() {  # menu_open WINDOW KEYS FILE: the window with a menu opened by KEYS, as the screen shows it
  xdotool windowfocus --sync "$1"
  xdotool key --window "$1" --clearmodifiers "$2"
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20 > 0 ? X - 20 : 0))+$((Y - 40 > 0 ? Y - 40 : 0))" "$3"
  xdotool key Escape
}

if [[ "${1:-}" == --dark ]]; then
  # Under Xvfb on a private session bus: a desktop portal that prefers dark, then the program.
  program=$2 folder=$3 out=$4 fake=$5
  sleep 60 | "$fake" --scheme 1 >/dev/null &
  fake_pid=$!
  sleep 1
  "$program" "$folder" &
  pid=$!
  trap 'kill $pid $fake_pid 2>/dev/null || true' EXIT
  main=$(window "Vornelle 1.0")
  import -window "$main" "$out/main-window-dark.png"
  exit 0
fi

if [[ "${1:-}" == --german ]]; then
  # Under Xvfb, in German: the main window, the About box and the options dialog, whose fixed
  # places must hold the longer words.
  program=$2 folder=$3 out=$4
  start_in de de_DE.UTF-8 "$program" "$folder"
  main=$(window "Vornelle 1.0")
  import -window "$main" "$out/main-window-de.png"
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" --clearmodifiers alt+h
  sleep 0.3
  xdotool key b
  about=$(window ".*ber Vornelle")  # xdotool matches bytes, and "Ü" is two
  import -window "$about" "$out/about-box-de.png"
  xdotool key Escape
  sleep 0.3
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" --clearmodifiers alt+x
  sleep 0.3
  xdotool key o
  options=$(window "Vornelle-Optionen")
  import -window "$options" "$out/options-dialog-de.png"
  xdotool key Escape
  sleep 0.5
  xdotool key Return
  sleep 0.3
  menu_open "$main" alt+b "$out/menu-de.png"
  exit 0
fi

if [[ "${1:-}" == --french ]]; then
  # Under Xvfb, in French: the Edit menu, opened from the keyboard by its mnemonic.
  program=$2 folder=$3 out=$4
  start_in fr fr_FR.UTF-8 "$program" "$folder"
  main=$(window "Vornelle 1.0")
  menu_open "$main" alt+d "$out/menu-fr.png"
  exit 0
fi

if [[ "${1:-}" == --greek ]]; then
  # Under Xvfb: a theme whose DOS 437 text holds Greek letters and signs, in the pane, in the
  # find window and in the editor.
  program=$2 folder=$3 out=$4
  "$program" "$folder" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  main=$(window "Vornelle 1.0")
  import -window "$main" "$out/main-window-greek.png"
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+f
  finder=$(window "Find Messages")
  xdotool type --delay 30 "σ"
  sleep 1
  import -window "$finder" "$out/find-messages-greek.png"
  xdotool key Escape
  sleep 0.3
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+shift+e
  editor=$(window "Vornelle Theme Editor")
  import -window "$editor" "$out/theme-editor-greek.png"
  exit 0
fi

if [[ "${1:-}" == --system ]]; then
  # Under Xvfb: the user folder mode, the sample themes in a system folder, and the editor on
  # one of them, read-only.
  program=$2 out=$4
  "$program" --user-folder &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  main=$(window "Vornelle 1.0")
  xdotool windowfocus --sync "$main"
  xdotool key ctrl+shift+e
  editor=$(window "Vornelle Theme Editor")
  import -window "$editor" "$out/theme-editor-system.png"
  exit 0
fi

if [[ "${1:-}" == --inside || "${1:-}" == --black ]]; then
  # Under Xvfb: the program, then its main window (on a black window colour with --black), or
  # its windows one after the other.
  program=$2 folder=$3 out=$4
  "$program" "$folder" &
  pid=$!
  trap 'kill $pid 2>/dev/null || true' EXIT
  main=$(window "Vornelle 1.0")
  if [[ "$1" == --black ]]; then
    import -window "$main" "$out/main-window-black.png"
    exit 0
  fi
  import -window "$main" "$out/main-window.png"
  # The keyboard moves the selected day at once, and the pane follows it.
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" Right
  sleep 0.3
  import -window "$main" "$out/main-window-next-day.png"
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" --clearmodifiers alt+h
  sleep 0.3
  xdotool key a
  about=$(window "About Vornelle")
  import -window "$about" "$out/about-box.png"
  xdotool key Escape
  sleep 0.3
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" --clearmodifiers alt+t
  sleep 0.3
  xdotool key o
  options=$(window "Vornelle Options")
  # A colour picked in the grid: the window colour, the teal cell.
  eval "$(xdotool getwindowgeometry --shell "$options")"
  xdotool mousemove $((X + 80)) $((Y + 316)) click 1
  xdotool mousemove $((X + 320 + 75)) $((Y + 134 + 60)) click 1
  sleep 0.3
  import -window "$options" "$out/options-dialog.png"
  # Cancelled, and the question whether to leave without applying answered Yes.
  xdotool key Escape
  sleep 0.5
  xdotool key Return
  sleep 0.3
  # The find window with what a search of the sample themes lists.
  xdotool windowfocus --sync "$main"
  sleep 0.3
  xdotool key ctrl+f
  finder=$(window "Find Messages")
  eval "$(xdotool getwindowgeometry --shell "$finder")"
  xdotool mousemove $((X + 200)) $((Y + 21)) click 1
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 30 christmas
  sleep 1
  import -window "$finder" "$out/find-messages.png"
  # F3 in the calendar, the find window closed: the next result, the text marked in the pane.
  xdotool key Escape
  sleep 0.3
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" F3
  sleep 0.5
  import -window "$main" "$out/main-window-found.png"
  # The print preview of the selected day.
  xdotool windowfocus --sync "$main"
  xdotool key --window "$main" ctrl+p
  preview=$(window "Print Preview.*")
  import -window "$preview" "$out/print-preview.png"
  xdotool key Escape
  sleep 0.5
  # The theme editor on the selected day, and its dialog for a theme made from a file.
  xdotool windowfocus --sync "$main"
  sleep 0.3
  xdotool key ctrl+shift+e
  editor=$(window "Vornelle Theme Editor")
  import -window "$editor" "$out/theme-editor.png"
  # Its New Theme from File button, by its key.
  xdotool windowfocus --sync "$editor"
  xdotool key --window "$editor" --clearmodifiers alt+f
  dialog=$(window "New Theme from File")
  import -window "$dialog" "$out/new-theme-dialog.png"
  # Misspelled words typed into the message, underlined.
  xdotool key Escape
  sleep 0.5
  xdotool windowfocus --sync "$editor"
  xdotool key --clearmodifiers alt+m ctrl+End Return
  xdotool type --delay 20 "Sheep graze on the medow whith their lambs untill dusk."
  sleep 0.5
  import -window "$editor" "$out/theme-editor-spelling.png"
  exit 0
fi

build=${1:-build/release}
out=build/screenshots
mkdir -p "$out"
folder=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-screenshots.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$build"/samples/*.dbf "$build"/samples/*.dbt "$build"/samples/Vornel.Ini "$folder"/
# In English, whatever the language of the desktop that runs this.
export LANGUAGE='' LC_ALL=C.UTF-8
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --inside "$build/app/gui/vornelle" "$folder" "$out"
if [[ -x "$build/tests/fake_desktop" ]]; then
  dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" "$0" --dark "$build/app/gui/vornelle" "$folder" "$out" \
    "$build/tests/fake_desktop"
fi
# In German.
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --german "$build/app/gui/vornelle" "$folder" "$out"
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --french "$build/app/gui/vornelle" "$folder" "$out"
# A theme with Greek letters and signs, shown today.
greek=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-greek.XXXXXX")
trap 'rm -rf "$folder" "$greek"' EXIT
printf '@9999\nGreek and signs\n@%s\nπ ≈ 3.14, α ß Σ µ ± ° ½ ■ ░▒▓│ Γ Φ Θ Ω ∞ ₧\nσ is Σ in lower case.\n' "$(date +%m%d)" \
  > "$greek/greek.txt"
"$build/tools/vornelle-db" theme import "$greek/greek.txt" "$greek/greek.dbf"
printf '[WinSet]\nWidth=474\nHeight=502\n[THEMES]\nThemeLINES=1\nDB_0=greek.dbf\n' > "$greek/Vornel.Ini"
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --greek "$build/app/gui/vornelle" "$greek" "$out"
# The user folder mode, the samples as the system's themes.
system=$(mktemp -d "${TMPDIR:-/tmp}/vornelle-system.XXXXXX")
trap 'rm -rf "$folder" "$greek" "$system"' EXIT
mkdir -p "$system/share/vornelle/themes" "$system/data"
cp "$build"/samples/*.dbf "$build"/samples/*.dbt "$build"/samples/Vornel.Ini "$system/share/vornelle/themes"/
XDG_DATA_HOME=$system/data XDG_DATA_DIRS=$system/share \
  xvfb-run -a -s "-screen 0 1024x768x24" "$0" --system "$build/app/gui/vornelle" - "$out"
# The settings' own colours, on a black window colour.
sed -i -e '/^WC=/d' -e '/^\[WinSet\]/a WC=0' -e 's/^UseDesktopColours=1/UseDesktopColours=0/' "$folder/Vornel.Ini"
xvfb-run -a -s "-screen 0 1024x768x24" "$0" --black "$build/app/gui/vornelle" "$folder" "$out"
# A month as PDF, as the window test's export writes it, its first page drawn.
if [[ -x "$build/tests/find_copy_tests" ]]; then
  KEEP_PDF="$folder/month.pdf" QT_QPA_PLATFORM=offscreen "$build/tests/find_copy_tests" exportsAMonthAsPdf >/dev/null 2>&1
  pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$folder/month.pdf" "$out/pdf-page"
fi
echo "screenshots in $out:"
ls "$out"
