#!/bin/sh
# Installs what is missing, builds Zentrix and runs every test:
#  1. a Release build: unit, display (private Xvfb) and end-to-end tests;
#  2. a clang build with AddressSanitizer and UndefinedBehaviorSanitizer:
#     the unit and display tests again, then each fuzz target for a bounded time;
#  3. the game built with ThreadSanitizer, started whole and with broken
#     files, so the start-up's threads are watched;
#  4. a race recorded by the Release game verified by the sanitizer build and
#     by an unoptimised (-O0) build of the game.
# Needs no display, GPU or sound card: tests start their own Xvfb and use
# OpenAL Soft's null back end.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

JOBS=$(nproc)
# Compiled in batches of files, with Ninja in a new folder, as the later
# builds in scripts/test-builds.sh.
release_options="-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16"
[ -f build/CMakeCache.txt ] || release_options="-G Ninja $release_options"

# The later steps' builds, started in the background below, are stopped
# with the whole group of their processes if this ends first.
LATER_BUILDS=""
trap 'if [ -n "$LATER_BUILDS" ]; then kill -- "-$LATER_BUILDS" 2>/dev/null || true; fi' EXIT
trap 'exit 130' INT TERM
# Sets the scheduling policy (--idle or --other) of every process of the
# later builds; those they start later take it too.
later_builds_policy() {
    for process in $(pgrep -g "$LATER_BUILDS"); do
        chrt "$1" -p 0 "$process" 2>/dev/null || true
    done
}
# Waits for the build of folder $1, shows its output, and stops if it failed.
# Nothing else of ours runs meanwhile, so the builds have their full share.
wait_for_build() {
    later_builds_policy --other
    while [ ! -f "build-logs/$1.status" ]; do
        sleep 1
    done
    later_builds_policy --idle
    cat "build-logs/$1.log"
    [ "$(cat "build-logs/$1.status")" = 0 ] || { echo "FAIL: the $1 build"; exit 1; }
}
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1

echo "== Release build and tests"
# Tests and benchmarks on, whatever a build folder made by play.sh had.
cmake -S . -B build $release_options -DCMAKE_BUILD_TYPE=Release \
    -DZENTRIX_TESTS=ON -DZENTRIX_BENCH=ON >/dev/null
cmake --build build -j"$JOBS"
# The sanitizer, ThreadSanitizer and -O0 builds go on in the time these tests
# leave a core idle: as idle tasks, which any of the tests' processes comes
# before at once, so the tests keep their pace (a build merely at the lowest
# nice level still slowed the race drawn at 144 Hz until its clock was late).
rm -rf build-logs
setsid chrt --idle 0 ./scripts/test-builds.sh &
LATER_BUILDS=$!
ctest --test-dir build --output-on-failure --no-tests=error -j"$JOBS"

echo "== Sanitizer build (ASan + UBSan) and fuzzing"
wait_for_build build-sanitize
# Mesa, SDL and fontconfig keep some memory for the life of the process.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$JOBS" -LE e2e

echo "== The start-up's threads under ThreadSanitizer"
wait_for_build build-tsan
TSAN_OPTIONS="suppressions=$(pwd)/tests/tsan.supp" \
    bash tests/e2e/startup_threads_e2e.sh build-tsan/zentrix .

echo "== A race recorded by the Release game verifies with the sanitizer and -O0 builds too"
wait_for_build build-O0
ZENTRIX_VERIFY_ALSO="$(pwd)/build-sanitize/zentrix:$(pwd)/build-O0/zentrix" ctest --test-dir build --output-on-failure --no-tests=error \
    -R e2e_replays_e2e
