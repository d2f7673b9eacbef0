#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "craft/player.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_state_hash.h"
#include "session/race_recording.h"
#include "session/replay_run.h"
#include "session/replay_watch.h"
#include "support/harness/race_start.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

// A race recorded as the game records it runs again to the same end, on the
// classic and on a grown circuit; one control changed and it no longer does.
TEST(Replays, ARecordedRaceRunsAgainToTheSameEndAndAChangedOneDoesNot) {
    for (uint32_t circuit : {CLASSIC_CIRCUIT, 48213u}) {
        SCOPED_TRACE("circuit " + std::to_string(circuit));
        raceOnCircuit(circuit);
        testsupport::startRaceWithoutGraphics();
        // Paused for a count of ticks that is no whole number of
        // milliseconds, before the first lap is in: its time must not move.
        for (int tick = 0; tick < 6000; ++tick) {
            if (tick == 3000 || tick == 3031) {
                tick == 3000 ? pauseRace() : resumeRace();
            }
            stepRecordedRace(testsupport::followTheCentreLine(tick));
        }
        const Replay race = recordedRace();
        ASSERT_EQ(race.controls.size(), 6000u - 31u) << "paused ticks are not the race's";
        EXPECT_EQ(race.circuit, circuit);
        EXPECT_NE(race.lapMs[0], 0u) << "the recording covers a lap";

        const ReplayRun again = runReplay(race);
        EXPECT_TRUE(again.matches);
        EXPECT_EQ(again.finalStateHash, race.finalStateHash);

        Replay changed = race;
        changed.controls[3000].bits ^= ReplayControls::LEFT;
        EXPECT_FALSE(runReplay(changed).matches);
    }
    raceOnCircuit(CLASSIC_CIRCUIT);
}

// Watching: ticks come from the replay, a pause holds them, B lands on exactly
// the tick ten seconds back as it was run, and the end stands still.
TEST(Replays, AWatchedReplayGoesBackToExactlyTheTickItNames) {
    raceOnCircuit(7);
    testsupport::startRaceWithoutGraphics();
    for (int tick = 0; tick < 1200; ++tick) {
        stepRecordedRace(testsupport::followTheCentreLine(tick));
    }
    const Replay race = recordedRace();
    watchReplay(race);
    watchFromTheStart();
    std::vector<uint64_t> hashes;
    for (int tick = 0; tick < 900; ++tick) {
        stepWatchedRace();
        hashes.push_back(raceStateHash());
    }
    pauseRace();
    stepWatchedRace();
    EXPECT_EQ(watchedTick(), 900u) << "a pause holds the replay";
    watchBack(WATCH_BACK_TICKS);
    EXPECT_EQ(watchedTick(), 300u);
    EXPECT_EQ(raceStateHash(), hashes[299]);
    EXPECT_TRUE(raceIsPaused()) << "still paused where it went back to";
    resumeRace();
    while (watchedTick() < watchedTicks()) {
        stepWatchedRace();
    }
    EXPECT_EQ(raceStateHash(), race.finalStateHash);
    stepWatchedRace();
    EXPECT_EQ(raceStateHash(), race.finalStateHash) << "its end stands still";
    watchBack(5000);
    EXPECT_EQ(watchedTick(), 0u) << "no further back than the grid";
    stopWatchingReplay();
    raceOnCircuit(CLASSIC_CIRCUIT);
}

}  // namespace
