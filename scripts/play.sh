#!/bin/sh
# Installs what is missing, builds Zentrix and starts the race.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZENTRIX_TESTS=OFF -DZENTRIX_BENCH=OFF >/dev/null
cmake --build build --target zentrix -j"$(nproc)"
# The game reads its data/ folder relative to the working directory.
exec ./build/zentrix
