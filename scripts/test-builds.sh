#!/bin/sh
# The test command's sanitizer, ThreadSanitizer and unoptimised (-O0) builds,
# one after another: scripts/test.sh starts this as an idle task while
# the Release tests run, which leave a core waiting on the game's windows much
# of the time, and each later step waits for its own build. Each build's
# output goes to build-logs/FOLDER.log and, when it ends, its exit status to
# build-logs/FOLDER.status.
set -u
cd "$(dirname "$0")/.."
JOBS=$(nproc)
mkdir -p build-logs
rm -f build-logs/*.status
FOLDERS="build-sanitize build-tsan build-O0"
# Stopped or failed, every build not ended counts as failed, so no one waits.
trap 'for f in $FOLDERS; do [ -f "build-logs/$f.status" ] || echo 1 >"build-logs/$f.status"; done' EXIT
trap 'exit 143' INT TERM

# Each library and test program is compiled a batch of its files at a time,
# so the headers they share are read once a batch, not once a file. A new
# build folder uses Ninja, which starts a program's files before the
# libraries under it are linked; one made before keeps its own generator.
build_options() {
    [ -f "$1/CMakeCache.txt" ] || printf '%s ' -G Ninja
    printf '%s ' -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16
}

# Each fuzz target runs 15 seconds (the board's answers 10): the test
# command's fuzzing is a check that each reader holds up from its seeds, and
# scripts/fuzz-long.sh is what fuzzes for long, keeping its corpus.
sanitize() {
    CC=clang CXX=clang++ cmake -S . -B build-sanitize $(build_options build-sanitize) \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIX_SANITIZE=ON -DZENTRIX_FUZZ=ON \
        -DZENTRIX_FUZZ_SECONDS=15 -DZENTRIX_TESTS=ON -DZENTRIX_BENCH=OFF >/dev/null &&
        cmake --build build-sanitize -j"$JOBS"
}
tsan() {
    CC=clang CXX=clang++ cmake -S . -B build-tsan $(build_options build-tsan) \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTRIX_TSAN=ON -DZENTRIX_TESTS=OFF \
        -DZENTRIX_BENCH=OFF >/dev/null &&
        cmake --build build-tsan -j"$JOBS" --target zentrix
}
unoptimised() {
    cmake -S . -B build-O0 $(build_options build-O0) -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g" -DZENTRIX_BENCH=OFF >/dev/null &&
        cmake --build build-O0 -j"$JOBS" --target zentrix
}

for build in sanitize:build-sanitize tsan:build-tsan unoptimised:build-O0; do
    folder=${build#*:}
    if "${build%%:*}" >"build-logs/$folder.log" 2>&1; then
        echo 0 >"build-logs/$folder.status"
    else
        echo 1 >"build-logs/$folder.status"
    fi
done
