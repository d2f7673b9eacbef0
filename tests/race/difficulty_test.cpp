// How hard the opponents race changes their pace: after the same driving,
// easy opponents are further back and hard ones further on; normal is the
// race as it always ran.
#include <gtest/gtest.h>

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/race.h"
#include "race/race_state_hash.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

struct AfterTicks {
    double opponentsCovered = 0.0;  // the five craft's race distances added up
    uint64_t hash = 0;
};

// 600 ticks of the tests' driver from the grid, at difficulty.
AfterTicks raceFor(Difficulty difficulty) {
    testsupport::startRaceWithoutGraphics();
    startRace(RACE_SEED, RaceMode::Race, difficulty);
    for (int tick = 0; tick < 600; ++tick) {
        stepRace(testsupport::followTheCentreLine(tick));
    }
    AfterTicks after;
    for (const Opponent& opponent : gOpponents) {
        after.opponentsCovered += raceDistance(opponent.laps, opponent.lambda);
    }
    after.hash = raceStateHash();
    return after;
}

TEST(Difficulty, EasyOpponentsCoverLessTrackAndHardMoreAndNormalIsTheRaceAsItWas) {
    for (const uint32_t circuit : {CLASSIC_CIRCUIT, 48213u, 4000000007u}) {
        SCOPED_TRACE(circuitName(circuit));
        raceOnCircuit(circuit);
        const AfterTicks easy = raceFor(Difficulty::Easy);
        const AfterTicks normal = raceFor(Difficulty::Normal);
        const AfterTicks hard = raceFor(Difficulty::Hard);
        EXPECT_LT(easy.opponentsCovered, normal.opponentsCovered);
        EXPECT_GT(hard.opponentsCovered, normal.opponentsCovered);

        testsupport::startRaceWithoutGraphics();  // the game's own start: normal
        for (int tick = 0; tick < 600; ++tick) {
            stepRace(testsupport::followTheCentreLine(tick));
        }
        EXPECT_EQ(normal.hash, raceStateHash()) << "normal is the race as it always ran";
        EXPECT_EQ(raceDifficulty(), Difficulty::Normal);
    }
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
