#include <gtest/gtest.h>

#include <cmath>

#include "craft/player.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

TEST(CircuitLap, OneLapDrivenThroughTheRacesOwnTickRegistersOnceOnEveryCircuit) {
    for (uint32_t circuit : {0u, 1u, 7u, 48213u, 4294967295u}) {
        SCOPED_TRACE("circuit " + std::to_string(circuit));
        raceOnCircuit(circuit);
        testsupport::startRaceWithoutGraphics();
        int ticks = 0;
        // A lap, then two seconds more: the line crossed once counts once.
        int afterLap = -1;
        for (; ticks < 8000 && afterLap < 120; ++ticks) {
            stepRace(testsupport::followTheCentreLine(ticks));
            ASSERT_TRUE(std::isfinite(gPlayer.position.x) && std::isfinite(gPlayer.position.z) &&
                        std::isfinite(gPlayer.lambda))
                << "tick " << ticks;
            if (afterLap >= 0 || gLapClock.lapMs[0] != 0) {
                ++afterLap;
            }
        }
        EXPECT_NE(gLapClock.lapMs[0], 0u) << "no lap in " << ticks << " ticks";
        EXPECT_EQ(gLapClock.lapMs[1], 0u);
        EXPECT_EQ(gPlayer.laps, 1);
    }
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
