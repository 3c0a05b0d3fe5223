#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in a build folder of its own and runs
# each from its checked-in seed corpus.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   each target for SECONDS (default 30)
#   FUZZ_RUNS=N scripts/fuzz.sh 0 [TARGET...]   each target for N executions instead
# New inputs the fuzzer finds go to a working corpus in the build folder, so
# the checked-in seeds stay small; a crashing input is kept there under
# artifacts/ and the script exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true

scripts/install-deps.sh clang libclang-rt-14-dev

build=${SLIDEPUB_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSLIDEPUB_FUZZ=ON -DSLIDEPUB_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for folder in fuzz/corpus/*/; do
        target=$(basename "$folder")
        [ -x "$build/fuzz/$target" ] && targets+=("$target")
    done
fi

limit=(-max_total_time="$seconds")
if [ -n "${FUZZ_RUNS:-}" ]; then
    limit=(-runs="$FUZZ_RUNS")
fi

# A smaller quarantine keeps freed blocks warm: the line list target reads and
# writes files of a read block and more on every run.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

failed=0
printf '%-24s %12s %8s %10s\n' target executions seconds exec/s
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts"
    mkdir -p "$corpus" "$artifacts"
    dictionary=()
    [ -f "fuzz/$target.dict" ] && dictionary=(-dict="fuzz/$target.dict")
    log="$build/$target.log"
    start=$(date +%s.%N)
    # An input that takes longer than 10 s counts as a hang, and fails too.
    if "$build/fuzz/$target" "${limit[@]}" "${dictionary[@]}" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1; then
        status=ok
    else
        status=FAILED
        failed=1
    fi
    end=$(date +%s.%N)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    seconds_taken=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.0f", b - a }')
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
    printf '%-24s %12s %8s %10s %s\n' "$target" "${runs:-?}" "$seconds_taken" "${rate:-?}" "$status"
    if [ "$status" != ok ]; then
        tail -n 40 "$log"
    fi
done
exit $failed
