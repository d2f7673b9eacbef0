// The pilot over a thousand circuits across the whole range of numbers: how
// many it finishes, its three-lap times, how long each run takes to work out,
// and how often it rides the wall. Then, on the classic circuit, the pilot
// beside the plain centre-line driver, with the medal each earns against the
// pilot's own medal times. One pass each: the figures are printed after it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "craft/player.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "saves/medals.h"
#include "session/pilot_race.h"
#include "session/replay_run.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

constexpr size_t SWEEP_CIRCUITS = 1000;

// The classic, the first and last numbers, and the rest spread evenly over
// the whole range. k * (k + 4311001) is even and never 4 mod 5, so adding 1
// leaves no number ending in 0.
std::vector<uint32_t> circuitsOverTheRange() {
    std::vector<uint32_t> circuits = {CLASSIC_CIRCUIT, 1u, 7u, 48213u, UINT32_MAX};
    for (uint64_t k = 1; circuits.size() < SWEEP_CIRCUITS; ++k) {
        circuits.push_back(static_cast<uint32_t>(k * 4311001ull + k * k + 1));
    }
    return circuits;
}

bool atTheWall() {
    return gTrack.isAtWall(gPlayer.dist) != 0;
}

std::string seconds(uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u s", ms / 1000, ms % 1000);
    return text;
}

struct SweepFigures {
    size_t circuits = 0;
    size_t finished = 0;
    std::vector<uint32_t> raceMs;  // of the finished runs
    double computeMsSum = 0.0;
    double computeMsMost = 0.0;
    uint32_t slowestCircuit = 0;
    uint64_t ticks = 0;
    uint64_t wallTicks = 0;
    size_t circuitsTouchingWall = 0;
    size_t replaysDiffering = 0;
};

struct ClassicRun {
    uint32_t lapMs[3] = {};
    uint32_t raceMs = 0;
    uint64_t ticks = 0;
    uint64_t wallTicks = 0;
};

SweepFigures gSweep;
ClassicRun gPilotClassic;
ClassicRun gCentreLineClassic;

void pilotOverTheRange(benchmark::State& state) {
    testsupport::startRaceWithoutGraphics();
    for (auto _ : state) {
        gSweep = SweepFigures();
        for (const uint32_t circuit : circuitsOverTheRange()) {
            const auto start = std::chrono::steady_clock::now();
            const Replay run = pilotRace(circuit);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            ++gSweep.circuits;
            gSweep.computeMsSum += took.count();
            if (took.count() > gSweep.computeMsMost) {
                gSweep.computeMsMost = took.count();
                gSweep.slowestCircuit = circuit;
            }
            if (run.raceMs != 0) {
                ++gSweep.finished;
                gSweep.raceMs.push_back(run.raceMs);
            }
            // The wall is looked for by running the replay again, outside the
            // pilot's own timing.
            uint64_t wallTicks = 0;
            const ReplayRun again = runReplay(run, [&wallTicks] { wallTicks += atTheWall(); });
            gSweep.ticks += run.controls.size();
            gSweep.wallTicks += wallTicks;
            gSweep.circuitsTouchingWall += wallTicks != 0;
            gSweep.replaysDiffering += !again.matches;
        }
    }
    state.counters["finished"] = static_cast<double>(gSweep.finished);
    state.counters["wall_ticks"] = static_cast<double>(gSweep.wallTicks);
    state.counters["wall_circuits"] = static_cast<double>(gSweep.circuitsTouchingWall);
    raceOnCircuit(CLASSIC_CIRCUIT);
}
BENCHMARK(pilotOverTheRange)->Iterations(1)->Unit(benchmark::kSecond);

ClassicRun runOf(const Replay& replay) {
    ClassicRun run;
    const ReplayRun again = runReplay(replay, [&run] {
        ++run.ticks;
        run.wallTicks += atTheWall();
    });
    std::copy(std::begin(again.lapMs), std::end(again.lapMs), run.lapMs);
    run.raceMs = again.raceMs;
    return run;
}

ClassicRun centreLineTimeTrial() {
    raceOnCircuit(CLASSIC_CIRCUIT);
    startRace(RACE_SEED, RaceMode::TimeTrial);
    ClassicRun run;
    for (uint32_t tick = 0; tick < PILOT_MAX_TICKS && !raceIsFinished(); ++tick) {
        stepRace(testsupport::followTheCentreLine(static_cast<int>(tick)));
        ++run.ticks;
        run.wallTicks += atTheWall();
    }
    std::copy(std::begin(gLapClock.lapMs), std::end(gLapClock.lapMs), run.lapMs);
    run.raceMs = gLapClock.finished() ? gLapClock.raceMs() : 0;
    return run;
}

void pilotBesideCentreLineOnTheClassic(benchmark::State& state) {
    testsupport::startRaceWithoutGraphics();
    for (auto _ : state) {
        gPilotClassic = runOf(pilotRace(CLASSIC_CIRCUIT));
        gCentreLineClassic = centreLineTimeTrial();
    }
    state.counters["pilot_ms"] = gPilotClassic.raceMs;
    state.counters["centre_line_ms"] = gCentreLineClassic.raceMs;
}
BENCHMARK(pilotBesideCentreLineOnTheClassic)->Iterations(1)->Unit(benchmark::kMillisecond);

void printSweep() {
    const SweepFigures& s = gSweep;
    if (s.circuits == 0) {
        return;
    }
    std::printf("\nThe pilot over %zu circuits\n", s.circuits);
    std::printf("  finished three laps: %zu of %zu\n", s.finished, s.circuits);
    std::vector<uint32_t> times = s.raceMs;
    std::sort(times.begin(), times.end());
    if (!times.empty()) {
        // The lower of the middle two when the count is even: a time raced.
        const uint32_t median = times[(times.size() - 1) / 2];
        std::printf("  three-lap time: least %s, median %s, most %s\n",
                    seconds(times.front()).c_str(), seconds(median).c_str(),
                    seconds(times.back()).c_str());
    }
    std::printf("  pilotRace wall time: mean %.1f ms, most %.1f ms (%s)\n",
                s.computeMsSum / static_cast<double>(s.circuits), s.computeMsMost,
                circuitName(s.slowestCircuit).c_str());
    std::printf(
        "  ticks at the wall: %llu of %llu (%.3f %%), in %zu of %zu circuits\n",
        static_cast<unsigned long long>(s.wallTicks), static_cast<unsigned long long>(s.ticks),
        s.ticks ? 100.0 * static_cast<double>(s.wallTicks) / static_cast<double>(s.ticks) : 0.0,
        s.circuitsTouchingWall, s.circuits);
    std::printf("  replays that ran again differently: %zu\n", s.replaysDiffering);
}

void printClassicRun(const char* driver, const ClassicRun& run, const MedalTimes& medals) {
    const char* medal = medalName(medalEarned(medals, run.raceMs));
    std::printf("  %-12s race %s  laps %s / %s / %s  ticks %llu, at the wall %llu  medal %s\n",
                driver, run.raceMs ? seconds(run.raceMs).c_str() : "not finished",
                seconds(run.lapMs[0]).c_str(), seconds(run.lapMs[1]).c_str(),
                seconds(run.lapMs[2]).c_str(), static_cast<unsigned long long>(run.ticks),
                static_cast<unsigned long long>(run.wallTicks), *medal ? medal : "none");
}

void printClassic() {
    if (gPilotClassic.ticks == 0) {
        return;
    }
    const MedalTimes medals = medalTimesFor(gPilotClassic.raceMs);
    std::printf("\nThe classic circuit, time trial\n");
    std::printf("  medal times: pilot %s, gold %s, silver %s, bronze %s\n",
                seconds(medals.pilotMs).c_str(), seconds(medals.goldMs).c_str(),
                seconds(medals.silverMs).c_str(), seconds(medals.bronzeMs).c_str());
    printClassicRun("pilot", gPilotClassic, medals);
    printClassicRun("centre line", gCentreLineClassic, medals);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSweep();
    printClassic();
    return 0;
}
