// The sound start-up with the game's own data: device, the music opened and
// its first stretch decoded, the three samples, the engine started. It runs
// before the first frame, so it must stay well under 100 ms. The memory it
// leaves resident stays for the whole race. Then what the music costs a frame.
#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "assets/player_messages.h"
#include "audio/sound.h"
#include "audio/sound_backend.h"

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
        if (startSound() != 1) {
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
        if (startSound() != 1) {
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

// A loopback device, so a minute of play is mixed in a fraction of one.
constexpr int MIX_RATE = 44100;
constexpr int FRAMES_PER_GAME_TICK = MIX_RATE / 60;
ALCdevice* gLoopbackDevice = nullptr;

SoundOutput openLoopbackOutput() {
    SoundOutput output;
    output.device = alcLoopbackOpenDeviceSOFT(nullptr);
    gLoopbackDevice = output.device;
    output.contextAttributes = {ALC_FORMAT_CHANNELS_SOFT,
                                ALC_STEREO_SOFT,
                                ALC_FORMAT_TYPE_SOFT,
                                ALC_FLOAT_SOFT,
                                ALC_FREQUENCY,
                                MIX_RATE,
                                0};
    return output;
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The music's per-frame call alone: most frames only ask whether a buffer has
// been played; one in thirty decodes the next half second. Timed in the
// thread's CPU time, so another program taking the core is not counted.
void BM_MusicStreamFrame(benchmark::State& state) {
    if (!enterGameFolder(state)) {
        return;
    }
    if (startSoundOn(openLoopbackOutput) != 1 || gMusicStream == 0) {
        state.SkipWithError("no loopback device or no music");
        return;
    }
    std::vector<float> mix(static_cast<size_t>(FRAMES_PER_GAME_TICK) * 2);
    double slowest = 0.0;
    for (auto _ : state) {
        alcRenderSamplesSOFT(gLoopbackDevice, mix.data(), FRAMES_PER_GAME_TICK);
        const double start = threadCpuSeconds();
        updateMusicStream();
        const double took = threadCpuSeconds() - start;
        state.SetIterationTime(took);
        slowest = std::max(slowest, took);
    }
    state.counters["slowest_frame_us"] = slowest * 1e6;
    shutdownSound();
}
BENCHMARK(BM_MusicStreamFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(60 * 60);  // a minute of play

}  // namespace

BENCHMARK_MAIN();
