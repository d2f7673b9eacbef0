#!/bin/sh
# A long fuzzing campaign: builds the fuzz targets (clang, ASan + UBSan) when
# needed, then runs each of them in turn for the same time over a corpus kept
# under fuzz/corpus/<target>/, so every campaign starts where the last one
# stopped. Seeds are the same as the ctest runs' (fuzz/seeds.cmake).
#
#   scripts/fuzz-long.sh [SECONDS]        # each target; default 1800 (30 min)
#   FUZZ_SECONDS=600 scripts/fuzz-long.sh
#   FUZZ_TARGETS="fuzz_sound" scripts/fuzz-long.sh 60
#
# Ends with each target's executions per second and total executions. A
# finding is saved as fuzz/corpus/<target>-artifacts/crash-* (or leak-*,
# timeout-*, oom-*), the other targets still run, and the script fails.
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SECONDS_EACH=${1:-${FUZZ_SECONDS:-1800}}
TARGETS=${FUZZ_TARGETS:-"fuzz_bitmap fuzz_ase fuzz_sound fuzz_replay fuzz_settings fuzz_board_answers"}
BUILD=${FUZZ_BUILD_DIR:-build-sanitize}
JOBS=${JOBS:-2}

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZENTRIX_SANITIZE=ON -DZENTRIX_FUZZ=ON -DZENTRIX_BENCH=OFF >/dev/null
fi
# shellcheck disable=SC2086
cmake --build "$BUILD" -j"$JOBS" --target $TARGETS

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
SUMMARY=""
FAILED=""
for target in $TARGETS; do
    log="$ROOT/fuzz/corpus/$target.log"
    mkdir -p "$ROOT/fuzz/corpus"
    echo "== $target for $SECONDS_EACH s"
    if ! cmake -DFUZZER="$ROOT/$BUILD/fuzz/$target" -DTARGET="$target" -DSOURCE_DIR="$ROOT" \
        -DTRIM_SEED="$ROOT/$BUILD/fuzz/trim_seed" \
        -DCORPUS_DIR="$ROOT/fuzz/corpus/$target" \
        -DARTIFACT_DIR="$ROOT/fuzz/corpus/$target-artifacts" \
        -DFRESH=OFF -DSECONDS="$SECONDS_EACH" -P fuzz/run_fuzzer.cmake >"$log" 2>&1; then
        FAILED="$FAILED $target"
        tail -n 30 "$log"
    fi
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    total=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    units=$(find "$ROOT/fuzz/corpus/$target" -type f | wc -l)
    SUMMARY="$SUMMARY$(printf '%-12s %10s exec/s %14s execs %8s corpus files' \
        "$target" "${rate:-?}" "${total:-?}" "$units")
"
done

echo "== Summary ($SECONDS_EACH s each; logs in fuzz/corpus/<target>.log)"
printf '%s' "$SUMMARY"
if [ -n "$FAILED" ]; then
    echo "Findings in:$FAILED (see fuzz/corpus/<target>-artifacts/)"
    exit 1
fi
