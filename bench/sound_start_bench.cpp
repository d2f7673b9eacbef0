// The sound start-up with the game's own data: device, the whole music
// decoded, the three samples, the engine started. It runs before the first
// frame, so it must stay well under 100 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "app/platform.h"
#include "audio/sound.h"

namespace {

void ignoreBox(const char*, const char*) {}

void BM_StartSound(benchmark::State& state) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (chdir(ZENTRIX_SOURCE_DIR) != 0 || access("data/musik.mp3", R_OK) != 0) {
        state.SkipWithError("data/ is not there");
        return;
    }
    setMessageBoxHandler(ignoreBox);
    for (auto _ : state) {
        if (startSound(nullptr) != 1) {
            state.SkipWithError("no sound device");
            break;
        }
        state.PauseTiming();
        shutdownSound();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartSound)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
