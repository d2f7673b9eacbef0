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
# Each library and test program is compiled a batch of its files at a time,
# so the headers they share are read once a batch, not once a file. A new
# build folder uses Ninja, which starts a program's files before the
# libraries under it are linked; one made before keeps its own generator.
build_options() {
    [ -f "$1/CMakeCache.txt" ] || printf '%s ' -G Ninja
    printf '%s ' -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16
}
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1

echo "== Release build and tests"
# Tests and benchmarks on, whatever a build folder made by play.sh had.
cmake -S . -B build $(build_options build) -DCMAKE_BUILD_TYPE=Release \
    -DZENTRIX_TESTS=ON -DZENTRIX_BENCH=ON >/dev/null
cmake --build build -j"$JOBS"
ctest --test-dir build --output-on-failure --no-tests=error -j"$JOBS"

echo "== Sanitizer build (ASan + UBSan) and fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-sanitize $(build_options build-sanitize) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTRIX_SANITIZE=ON -DZENTRIX_FUZZ=ON -DZENTRIX_TESTS=ON -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$JOBS"
# Mesa, SDL and fontconfig keep some memory for the life of the process.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitize --output-on-failure --no-tests=error -j"$JOBS" -LE e2e

echo "== The start-up's threads under ThreadSanitizer"
CC=clang CXX=clang++ cmake -S . -B build-tsan $(build_options build-tsan) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTRIX_TSAN=ON -DZENTRIX_TESTS=OFF -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$JOBS" --target zentrix
TSAN_OPTIONS="suppressions=$(pwd)/tests/tsan.supp" \
    bash tests/e2e/startup_threads_e2e.sh build-tsan/zentrix .

echo "== A race recorded by the Release game verifies with the sanitizer and -O0 builds too"
cmake -S . -B build-O0 $(build_options build-O0) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g" \
    -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-O0 -j"$JOBS" --target zentrix
ZENTRIX_VERIFY_ALSO="$(pwd)/build-sanitize/zentrix:$(pwd)/build-O0/zentrix" ctest --test-dir build --output-on-failure --no-tests=error \
    -R e2e_replays_e2e
