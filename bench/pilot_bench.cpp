// The pilot's time trial of three laps headless, as --pilot runs it: its racing line and
// speed plan worked out, then the race ticked to the finish line. The
// circuit is grown once, outside the timing.
#include <benchmark/benchmark.h>

#include "session/pilot_race.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"

namespace {

void threePilotLaps(benchmark::State& state) {
    const auto circuit = static_cast<uint32_t>(state.range(0));
    raceOnCircuit(circuit);
    testsupport::startRaceWithoutGraphics();
    size_t ticks = 0;
    bool finished = true;
    for (auto _ : state) {
        const Replay run = pilotRace(circuit);
        ticks = run.controls.size();
        finished = finished && run.raceMs != 0;
    }
    state.counters["race_ticks"] = static_cast<double>(ticks);
    if (!finished) {
        state.SkipWithError("the pilot did not finish three laps");
    }
}
// 1383934363 took the longest in a sweep of 1 000 circuits.
BENCHMARK(threePilotLaps)
    ->Arg(CLASSIC_CIRCUIT)
    ->Arg(7)
    ->Arg(48213)
    ->Arg(1383934363)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
