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
export ALSOFT_DRIVERS=null
export LIBGL_ALWAYS_SOFTWARE=1

echo "== Release build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$JOBS"
ctest --test-dir build --output-on-failure -j"$JOBS"

echo "== Sanitizer build (ASan + UBSan) and fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTRIX_SANITIZE=ON -DZENTRIX_FUZZ=ON -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$JOBS"
# Mesa, SDL and fontconfig keep some memory for the life of the process.
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-sanitize --output-on-failure -j"$JOBS" -LE e2e

echo "== The start-up's threads under ThreadSanitizer"
CC=clang CXX=clang++ cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZENTRIX_TSAN=ON -DZENTRIX_TESTS=OFF -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$JOBS" --target zentrix
TSAN_OPTIONS="suppressions=$(pwd)/tests/tsan.supp" \
    bash tests/e2e/startup_threads_e2e.sh build-tsan/zentrix .

echo "== A race recorded by the Release game verifies with the sanitizer and -O0 builds too"
cmake -S . -B build-O0 -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g" \
    -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build-O0 -j"$JOBS" --target zentrix
ZENTRIX_VERIFY_ALSO="$(pwd)/build-sanitize/zentrix:$(pwd)/build-O0/zentrix" ctest --test-dir build --output-on-failure \
    -R e2e_replays_e2e
