#!/usr/bin/env bash
# Configures and builds one flavour: release (optimised), or asan: clang with AddressSanitizer
# and UndefinedBehaviorSanitizer for the tests, and the libFuzzer targets over the same
# libraries (instrumented for coverage too), so that one build serves the sanitizer suites and
# the fuzzing ("fuzz" names the same build). Usage: scripts/build.sh FLAVOUR
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
jobs=${JOBS:-$(nproc)}
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release) ;;
  asan|fuzz)
    flavour=asan
    # Optimised a little, as the sanitizers advise and the fuzz targets want, with line tables
    # for the reports; asserts and Qt's checks stay on.
    args=(-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only"
          -DVORNELLE_SANITIZE=ON -DVORNELLE_FUZZ=ON -DVORNELLE_BENCH=OFF
          -DCMAKE_CXX_COMPILER=clang++-14
          -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld) ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac

# Configured every time, so that a folder made earlier with other settings (another compiler, no
# fuzz targets) is brought to this flavour's rather than silently building less than CI does.
# A folder made with another compiler is started afresh: CMake cannot switch one in place.
if [[ -f build/$flavour/CMakeCache.txt ]] && [[ $flavour == asan ]] &&
   ! grep -q '^CMAKE_CXX_COMPILER:.*clang++-14' "build/$flavour/CMakeCache.txt"; then
  rm -rf "build/$flavour"
fi
cmake -S . -B "build/$flavour" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$flavour" -j "$jobs"
