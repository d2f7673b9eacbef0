// Running a replay again, as --verify does: a 270-second race (16 200 ticks)
// recorded from a driver that follows the centre line, then run from its
// controls alone. Real time is 270 s; the figure is how much faster.
#include <benchmark/benchmark.h>

#include <cmath>

#include "craft/player.h"
#include "race/race.h"
#include "session/race_recording.h"
#include "session/replay_run.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

constexpr int RACE_TICKS = 270 * RACE_TICKS_PER_SECOND;

Replay recordARace() {
    raceOnCircuit(CLASSIC_CIRCUIT);
    testsupport::startRaceWithoutGraphics();
    for (int tick = 0; tick < RACE_TICKS; ++tick) {
        stepRecordedRace(testsupport::followTheCentreLine(tick));
    }
    return recordedRace();
}

void runA270SecondReplay(benchmark::State& state) {
    const Replay race = recordARace();
    bool matches = true;
    for (auto _ : state) {
        matches = matches && runReplay(race).matches;
    }
    state.counters["ticks_per_second"] = benchmark::Counter(
        static_cast<double>(RACE_TICKS), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["times_real_time"] =
        benchmark::Counter(270.0, benchmark::Counter::kIsIterationInvariantRate);
    if (!matches) {
        state.SkipWithError("the replay did not run to its own end");
    }
}
BENCHMARK(runA270SecondReplay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
