#!/usr/bin/env bash
# Configures and builds one flavour: release (optimised), asan (Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer) or fuzz (clang with libFuzzer). Usage: scripts/build.sh FLAVOUR
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
jobs=${JOBS:-$(nproc)}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DVORNELLE_SANITIZE=ON -DVORNELLE_BENCH=OFF) ;;
  fuzz) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNELLE_FUZZ=ON
              -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14) ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac

if [[ ! -f build/$flavour/build.ninja ]]; then
  cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "build/$flavour" -j "$jobs"
