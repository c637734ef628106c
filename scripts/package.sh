#!/usr/bin/env bash
# Makes the Debian package from a build and checks it as a user meets it: lintian finds no
# errors, the desktop entry and the AppStream data validate, the unpacked package holds every
# file, its vornelle-db prints today's messages from the packaged themes, its bash completion
# completes, and a first start in a new user data folder shows the packaged themes where they are.
# Usage: scripts/package.sh [FLAVOUR]   (default: release)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/${1:-release}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$build/vornelle_${version}-1_$(dpkg --print-architecture).deb
fail() { echo "package check failed: $*" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

rm -f "$deb"
(cd "$build" && cpack -G DEB) >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail "cpack"; }
echo "Made $deb ($(du -k "$deb" | cut -f1) KiB)"

echo "-- lintian"
findings=$(lintian --fail-on error "$deb" 2>&1) && status=0 || status=$?
grep -v 'running with root privileges' <<<"$findings" || true
((status == 0)) || fail "lintian reports errors"

root=$scratch/root
dpkg-deb -x "$deb" "$root"

echo "-- contents"
expected=(
  usr/bin/vornelle usr/bin/vornelle-db
  usr/share/vornelle/themes/almanac.dbf usr/share/vornelle/themes/almanac.dbt
  usr/share/vornelle/themes/garden.dbf usr/share/vornelle/themes/garden.dbt
  usr/share/vornelle/themes/Vornel.Ini
  usr/share/doc/vornelle/Vornel.html usr/share/doc/vornelle/copyright
  usr/share/doc/vornelle/changelog.Debian.gz usr/share/doc-base/vornelle
  usr/share/applications/vornelle.desktop
  usr/share/metainfo/org.vornelle.Vornelle.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/vornelle.svg
  usr/share/man/man1/vornelle.1.gz usr/share/man/man1/vornelle-db.1.gz
  usr/share/bash-completion/completions/vornelle-db
  usr/share/vornelle/translations/vornelle_de.qm usr/share/vornelle/translations/vornelle_fr.qm
  usr/share/vornelle/translations/vornelle_es.qm
  usr/share/icons/hicolor/symbolic/apps/vornelle-symbolic.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/vornelle.png")
done
for file in "${expected[@]}"; do
  [[ -f "$root/$file" ]] || fail "the package lacks /$file"
done
for size in 16 22 24 32 48 64 128 256; do
  [[ $(file "$root/usr/share/icons/hicolor/${size}x${size}/apps/vornelle.png") == \
     *"PNG image data, $size x $size,"* ]] || fail "the ${size}x${size} icon has the wrong size"
done
for page in vornelle vornelle-db; do
  [[ $(zcat "$root/usr/share/man/man1/$page.1.gz") == *$'\n.TH "'$page'" "1"'* ]] ||
    fail "$page(1) is not a manual page"
done
echo "all ${#expected[@]} files present"

echo "-- desktop entry and AppStream data"
desktop-file-validate "$root/usr/share/applications/vornelle.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vornelle.Vornelle.metainfo.xml"
appstreamcli validate-tree --no-net "$root" >/dev/null || fail "appstreamcli validate-tree"

echo "-- today's messages from the packaged themes"
themes=$root/usr/share/vornelle/themes
today=$("$root/usr/bin/vornelle-db" day --folder "$themes")
printf '%s\n' "$today"
[[ -n "$today" ]] || fail "vornelle-db day printed nothing"
[[ "$today" == "$("$build/tools/vornelle-db" day --folder "$build/samples")" ]] ||
  fail "the packaged themes do not give the built themes' messages"

echo "-- bash completion"
completions=$(bash -c '
  source /usr/share/bash-completion/bash_completion
  source "$1"
  COMP_WORDS=(vornelle-db th); COMP_CWORD=1; COMP_LINE="vornelle-db th"; COMP_POINT=${#COMP_LINE}
  _vornelle_db vornelle-db th vornelle-db
  echo "${COMPREPLY[*]}"' completion "$root/usr/share/bash-completion/completions/vornelle-db")
[[ "$completions" == "themes theme" ]] || fail "completing 'vornelle-db th' gave '$completions'"
echo "vornelle-db th<TAB>: $completions"

echo "-- first start in a new user data folder"
# The package's themes folder as the system's: a user folder shows its themes where they are.
export XDG_DATA_HOME=$scratch/data XDG_DATA_DIRS=$root/usr/share
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/vornelle" --user-folder 2>/dev/null && status=0 || status=$?
[[ $status == 124 ]] || fail "the calendar ended with status $status instead of running"
cmp -s "$themes/Vornel.Ini" "$XDG_DATA_HOME/vornelle/Vornel.Ini" || fail "the user folder lacks the sample settings"
[[ -z "$(find "$XDG_DATA_HOME/vornelle" -iname '*.db[ft]')" ]] || fail "themes were copied into the user folder"
[[ "$("$root/usr/bin/vornelle-db" day --user-folder)" == "$today" ]] ||
  fail "the user folder does not show the packaged themes' messages"
"$root/usr/bin/vornelle-db" themes --user-folder | grep -q "\[$themes\]" ||
  fail "vornelle-db themes --user-folder does not list the packaged themes"
echo "$XDG_DATA_HOME/vornelle was made with the sample settings, showing the packaged themes"

echo "== the package is sound"
