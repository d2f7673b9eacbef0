#include "session/pilot_race.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "craft/player.h"
#include "race/race.h"
#include "saves/medals.h"
#include "session/replay_run.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

constexpr int SPREAD_CIRCUITS = 200;

// The classic, the first and last numbers, and the rest spread evenly over
// the whole range, none of them round.
std::vector<uint32_t> circuitsOverTheRange() {
    std::vector<uint32_t> circuits = {CLASSIC_CIRCUIT, 1u, 7u, 48213u, UINT32_MAX};
    for (uint64_t k = 1; circuits.size() < SPREAD_CIRCUITS; ++k) {
        circuits.push_back(static_cast<uint32_t>(k * 93368217ull + k * k));
    }
    return circuits;
}

class PilotRace : public testing::Test {
protected:
    void SetUp() override { testsupport::startRaceWithoutGraphics(); }
    void TearDown() override { raceOnCircuit(CLASSIC_CIRCUIT); }
};

// A time trial of three laps on every circuit, never a shot, a replay that
// runs again to its own end with the craft's place finite at every tick, and
// medal times in order from it.
TEST_F(PilotRace, FinishesThreeLapsOnCircuitsOverTheWholeRangeAndItsReplayVerifies) {
    for (const uint32_t circuit : circuitsOverTheRange()) {
        SCOPED_TRACE(circuitName(circuit));
        const Replay run = pilotRace(circuit);
        EXPECT_EQ(run.circuit, circuit);
        EXPECT_EQ(run.mode, RaceMode::TimeTrial);
        ASSERT_NE(run.raceMs, 0u) << "laps " << run.lapMs[0] << " " << run.lapMs[1];
        for (const uint32_t lapMs : run.lapMs) {
            EXPECT_NE(lapMs, 0u);
        }
        bool fired = false;
        for (const ReplayControls controls : run.controls) {
            fired = fired || controls.has(ReplayControls::FIRE);
        }
        EXPECT_FALSE(fired);
        bool finite = true;
        const ReplayRun again = runReplay(run, [&finite] {
            finite = finite && std::isfinite(gPlayer.position.x) &&
                     std::isfinite(gPlayer.position.z) && std::isfinite(gPlayer.speed) &&
                     std::isfinite(gPlayer.yaw);
        });
        EXPECT_TRUE(finite);
        EXPECT_TRUE(again.matches);
        const MedalTimes medals = medalTimesFor(run.raceMs);
        EXPECT_EQ(medals.pilotMs, run.raceMs);
        EXPECT_TRUE(0 < medals.pilotMs && medals.pilotMs < medals.goldMs &&
                    medals.goldMs < medals.silverMs && medals.silverMs < medals.bronzeMs);
    }
}

// The same circuit gives the same bytes, whatever was raced before it.
TEST_F(PilotRace, TheSameCircuitGivesTheSameReplayBytesEveryTime) {
    for (const uint32_t circuit : {CLASSIC_CIRCUIT, 48213u}) {
        SCOPED_TRACE(circuitName(circuit));
        const std::string first = encodeReplay(pilotRace(circuit));
        pilotRace(7);
        raceOnCircuit(1);
        testsupport::startRaceWithoutGraphics();
        for (int tick = 0; tick < 300; ++tick) {
            stepRace(testsupport::followTheCentreLine(tick));
        }
        const std::string second = encodeReplay(pilotRace(circuit));
        EXPECT_EQ(first, second);
    }
}

}  // namespace
