// The sound start-up with the game's own data: device, the music opened and
// its first stretch decoded, the three samples, the engine started. It runs
// before the first frame, so it must stay well under 100 ms. The memory it
// leaves resident stays for the whole race.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/platform.h"
#include "audio/sound.h"

namespace {

void ignoreBox(const char*, const char*) {}

bool enterGameFolder(benchmark::State& state) {
    setenv("ALSOFT_DRIVERS", "null", 0);
    if (chdir(ZENTRIX_SOURCE_DIR) != 0 || access("data/musik.mp3", R_OK) != 0) {
        state.SkipWithError("data/ is not there");
        return false;
    }
    setMessageBoxHandler(ignoreBox);
    return true;
}

double residentMebibytes() {
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm != nullptr) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

double peakResidentMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kibibytes
}

// Registered first, so it sees the process before any sound has started:
// later start-ups reuse memory the allocator kept and would understate it.
void BM_StartSoundMemory(benchmark::State& state) {
    if (!enterGameFolder(state)) {
        return;
    }
    double held = 0.0;
    double peakRise = 0.0;
    for (auto _ : state) {
        const double before = residentMebibytes();
        if (startSound(nullptr) != 1) {
            state.SkipWithError("no sound device");
            break;
        }
        held = residentMebibytes() - before;
        peakRise = peakResidentMebibytes() - before;
        shutdownSound();
    }
    state.counters["resident_MiB_held"] = held;
    state.counters["resident_MiB_peak_rise"] = peakRise;
}
BENCHMARK(BM_StartSoundMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_StartSound(benchmark::State& state) {
    if (!enterGameFolder(state)) {
        return;
    }
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
