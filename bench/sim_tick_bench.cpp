#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/key_state.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/projectile.h"
#include "support/harness/race_start.h"
#include "track/track.h"

namespace {

// One frame's simulation: opponents, shot, progress search, drag, control
// step, and the ranking every tenth frame, with Up and Space held.
void simulationTick(benchmark::State& state) {
    testsupport::startRaceWithoutGraphics();
    recordKeyDown(VK_UP);
    recordKeyDown(VK_SPACE);
    recordKeyDown(VK_RIGHT);
    int frame = 0;
    for (auto _ : state) {
        updateOpponents();
        gProjectile.update();
        gTrack.updatePlayerProgress();
        applyNearWallDrag();
        stepKeyboard();
        if (frame % 10 == 0) {
            benchmark::DoNotOptimize(racePosition());
        }
        frame = (frame + 1) % 360;
        benchmark::DoNotOptimize(gPlayer.position);
    }
    releaseAllKeys();
}
BENCHMARK(simulationTick)->Unit(benchmark::kMicrosecond);

void progressSearch(benchmark::State& state) {
    testsupport::startRaceWithoutGraphics();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gTrack.updatePlayerProgress());
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
