#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test with CTest.
# Safe to run again; exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${SLIDEPUB_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SLIDEPUB_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
