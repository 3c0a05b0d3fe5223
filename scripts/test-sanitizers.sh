#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of its own and runs the whole test suite under them. Every
# report ends the process that made it, so any finding fails a test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${SLIDEPUB_SANITIZE_BUILD_DIR:-build-sanitize}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSLIDEPUB_SANITIZE=ON ${SLIDEPUB_CMAKE_ARGS:-}
cmake --build "$build" -j"$(nproc)"

# The installer runs as a child of the tests and inherits these.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0}
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
