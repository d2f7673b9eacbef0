#include <benchmark/benchmark.h>

#include <cstdlib>

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/race.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

// The game's own tick, drawing left out, with Up, Right and Space held, on
// the classic (0) or a grown circuit.
void simulationTick(benchmark::State& state) {
    raceOnCircuit(static_cast<uint32_t>(state.range(0)));
    testsupport::startRaceWithoutGraphics();
    KeyboardInput keys;
    keys.up = true;
    keys.right = true;
    keys.space = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(stepRace(keys));
        benchmark::DoNotOptimize(gPlayer.position);
    }
}
// Classic and grown in turn, so both see the same machine.
BENCHMARK(simulationTick)
    ->ArgName("circuit")
    ->Arg(0)
    ->Arg(48213)
    ->Arg(0)
    ->Arg(48213)
    ->Unit(benchmark::kMicrosecond);

void progressSearch(benchmark::State& state) {
    raceOnCircuit(CLASSIC_CIRCUIT);
    testsupport::startRaceWithoutGraphics();
    for (auto _ : state) {
        benchmark::DoNotOptimize(updatePlayerProgress(gPlayer));
    }
}
BENCHMARK(progressSearch)->Unit(benchmark::kMicrosecond);

void ranking(benchmark::State& state) {
    testsupport::startRaceWithoutGraphics();
    updateOpponents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(racePosition());
    }
}
BENCHMARK(ranking)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
