#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing. Idempotent and
# quick when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  bison
  clang-14 libclang-rt-14-dev lld-14
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  libxbase64-dev
  qt6-base-dev libqt6svg6 qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libhunspell-dev hunspell-en-us hunspell-de-de hunspell-fr hunspell-es
  xvfb xauth xdotool imagemagick dbus-daemon
  poppler-utils hyperfine fortune-mod fortunes-min calendar strace pgdbf time
  lintian desktop-file-utils appstream scdoc librsvg2-bin dpkg-dev file bash-completion
  python3-gi python3-icalendar khal
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi
