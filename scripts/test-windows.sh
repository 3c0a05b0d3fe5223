#!/usr/bin/env bash
# Cross-builds the Windows console program SlidePub_ODBC.exe and its tests
# with mingw-w64 and runs the tests under Wine, headless, in a Wine prefix of
# its own that is removed at the end. Installs what is missing; safe to run
# again; exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh g++-mingw-w64-x86-64 wine64

build=${SLIDEPUB_WINDOWS_BUILD_DIR:-build-windows}
# Optimised as on Linux, but without debug information: linking it into
# every static test program costs a third of the build time.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" ${SLIDEPUB_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/wineprefix"
# Wine's server keeps its socket folder there: it goes with the scratch.
export TMPDIR="$scratch"
export WINEARCH=win64
export WINEDEBUG=-all
# No menu entries, no .NET or Gecko installers, no window: nothing asks
# for a display.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY
# The Windows code page of the tests' texts (Windows-1252) follows the
# locale; C.UTF-8 gives it on any machine.
export LC_ALL=C.UTF-8
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# One server for all the test programs instead of one started per program,
# and the prefix made once, before the tests start in parallel.
mkdir -p "$WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
