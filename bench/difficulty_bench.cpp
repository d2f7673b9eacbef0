// One race from the grid at each difficulty, headless, on the classic and two
// grown circuits, driven by the tests' centre-line driver (which fires every
// four seconds, so some opponents are shot). Each opponent's three laps are
// timed from the start of the race until its race distance reaches three
// whole laps from the line (raceDistance >= 3 * TRACK_PERIOD). Their grid
// stands a little behind the line, so the time holds the run up to it; the
// player starts on the line, with the same clock. The race runs until every
// opponent still flying and the player have done their three laps, or 30
// minutes of race time.
// A side-by-side table follows the benchmark's own lines.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "craft/opponent.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_time.h"
#include "race/standings.h"
#include "saves/difficulty.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

constexpr int TICK_LIMIT = 30 * 60 * RACE_TICKS_PER_SECOND;
constexpr int NOT_YET = -1;

enum class Outcome { Finished, Wrecked, NotFinished };

struct OpponentResult {
    Outcome outcome = Outcome::NotFinished;
    int ticks = 0;  // when its three laps were in
};

struct RaceResult {
    uint32_t circuit = CLASSIC_CIRCUIT;
    Difficulty difficulty = Difficulty::Normal;
    std::array<OpponentResult, OPPONENT_COUNT> opponents;
    uint32_t playerMs = 0;  // 0 when the player did not finish
    int32_t playerPlace = 0;
    int ticksRun = 0;
};

std::vector<RaceResult> gResults;

bool threeLapsCovered(const Opponent& opponent) {
    return raceDistance(opponent.laps, opponent.lambda) >= 3.0 * TRACK_PERIOD;
}

// Ticks the race and notes each opponent's three laps as they come in; a
// craft shot after its finish keeps its time.
RaceResult raceToTheFinish(uint32_t circuit, Difficulty difficulty) {
    raceOnCircuit(circuit);
    testsupport::startRaceWithoutGraphics();
    startRace(RACE_SEED, RaceMode::Race, difficulty);

    RaceResult result;
    result.circuit = circuit;
    result.difficulty = difficulty;
    std::array<int, OPPONENT_COUNT> finishTick;
    finishTick.fill(NOT_YET);
    int tick = 0;
    for (; tick < TICK_LIMIT; ++tick) {
        stepRace(testsupport::followTheCentreLine(tick));
        bool opponentsDone = true;
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            if (finishTick[i] == NOT_YET && gOpponents[i].destroyed == 0) {
                if (threeLapsCovered(gOpponents[i])) {
                    finishTick[i] = tick + 1;
                } else {
                    opponentsDone = false;
                }
            }
        }
        if (opponentsDone && gLapClock.finished()) {
            ++tick;
            break;
        }
    }
    result.ticksRun = tick;
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        OpponentResult& opponent = result.opponents[i];
        if (finishTick[i] != NOT_YET) {
            opponent.outcome = Outcome::Finished;
            opponent.ticks = finishTick[i];
        } else {
            opponent.outcome =
                gOpponents[i].destroyed != 0 ? Outcome::Wrecked : Outcome::NotFinished;
        }
    }
    result.playerMs = gLapClock.finished() ? gLapClock.raceMs() : 0;
    result.playerPlace = gFinalPlace;
    return result;
}

double seconds(int ticks) {
    return static_cast<double>(ticks) / RACE_TICKS_PER_SECOND;
}

// The median of the finishers' times; none when no opponent finished.
std::string medianText(const RaceResult& result) {
    std::vector<int> ticks;
    for (const OpponentResult& opponent : result.opponents) {
        if (opponent.outcome == Outcome::Finished) {
            ticks.push_back(opponent.ticks);
        }
    }
    if (ticks.empty()) {
        return "-";
    }
    std::sort(ticks.begin(), ticks.end());
    const size_t middle = ticks.size() / 2;
    const double median = ticks.size() % 2 == 1
                              ? seconds(ticks[middle])
                              : (seconds(ticks[middle - 1]) + seconds(ticks[middle])) / 2.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", median);
    return text;
}

std::string outcomeText(const OpponentResult& opponent) {
    switch (opponent.outcome) {
        case Outcome::Finished: {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f", seconds(opponent.ticks));
            return text;
        }
        case Outcome::Wrecked:
            return "wrecked";
        default:
            return "not finished";
    }
}

void printTable() {
    std::printf(
        "\nThree laps from the line, seconds of race time (60 ticks/s); median of the "
        "opponents that finished\n");
    std::printf("%-18s %-7s %12s %12s %12s %12s %12s %8s %9s %6s\n", "circuit", "level", "opp 1",
                "opp 2", "opp 3", "opp 4", "opp 5", "median", "player", "place");
    for (const RaceResult& result : gResults) {
        std::printf("%-18s %-7s", circuitName(result.circuit).c_str(),
                    difficultyName(result.difficulty));
        for (const OpponentResult& opponent : result.opponents) {
            std::printf(" %12s", outcomeText(opponent).c_str());
        }
        std::printf(" %8s %9.3f %6d\n", medianText(result).c_str(), result.playerMs / 1000.0,
                    result.playerPlace);
    }
}

void raceAtDifficulty(benchmark::State& state) {
    const auto circuit = static_cast<uint32_t>(state.range(0));
    const auto difficulty = static_cast<Difficulty>(state.range(1));
    RaceResult result;
    for (auto _ : state) {
        result = raceToTheFinish(circuit, difficulty);
    }
    int finished = 0;
    for (const OpponentResult& opponent : result.opponents) {
        finished += opponent.outcome == Outcome::Finished ? 1 : 0;
    }
    state.counters["race_ticks"] = result.ticksRun;
    state.counters["opponents_finished"] = finished;
    state.counters["player_s"] = result.playerMs / 1000.0;
    state.counters["player_place"] = result.playerPlace;
    state.SetLabel(circuitName(circuit) + " " + difficultyName(difficulty));
    gResults.push_back(result);
}

void everyCircuitAndDifficulty(benchmark::internal::Benchmark* bench) {
    for (const int64_t circuit : {int64_t{CLASSIC_CIRCUIT}, int64_t{48213}, int64_t{1383934363}}) {
        for (int level = 0; level < DIFFICULTY_COUNT; ++level) {
            bench->Args({circuit, level});
        }
    }
}
BENCHMARK(raceAtDifficulty)
    ->ArgNames({"circuit", "difficulty"})
    ->Apply(everyCircuitAndDifficulty)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable();
    return 0;
}
