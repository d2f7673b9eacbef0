// Whole races through the game's own tick: three laps to the finish, the
// pause, and a new start, with the craft put down near the line to keep them
// short and a clock the test moves itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "input/key_state.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "race/standings.h"
#include "support/finish_script.h"
#include "support/harness/race_start.h"
#include "support/race_state.h"

namespace {

uint32_t gNow = 0;
uint32_t testClock() {
    return gNow;
}

constexpr uint32_t TICK_MS = 16;

class RaceFinish : public testing::Test {
protected:
    void SetUp() override {
        LapClock::setSource(testClock);
        gNow = 1000;
        testsupport::startRaceWithoutGraphics();
    }
    void TearDown() override {
        releaseAllKeys();
        LapClock::setSource(nullptr);
    }

    // One tick of the game on the keys held, the clock moving on by a frame.
    static RaceSounds tick() {
        gNow += TICK_MS;
        return stepRace(readKeyboard());
    }

    // The clock jumps to the lap's last stretch, then the craft crosses the line.
    static void lapEndingAt(uint32_t clockMs) {
        gNow = gLapClock.startMs + clockMs;
        ASSERT_GT(testsupport::flyOverTheLine([] { tick(); }), 0) << "the craft never crossed";
    }

    static void runThreeLaps() {
        lapEndingAt(41000);
        lapEndingAt(82000);
        lapEndingAt(125000);
    }
};

TEST_F(RaceFinish, ThreeLapsStopTheClockAtTheRaceTimeAndTheResultIsTheClocksOwn) {
    lapEndingAt(41000);
    lapEndingAt(82000);
    EXPECT_FALSE(raceIsFinished());
    EXPECT_EQ(raceResult().place, 0) << "no result while the race is on";
    lapEndingAt(125000);

    ASSERT_TRUE(raceIsFinished());
    const uint32_t raceMs = gLapClock.lapMs[0] + gLapClock.lapMs[1] + gLapClock.lapMs[2];
    EXPECT_EQ(gLapClock.elapsedMs(), raceMs);
    EXPECT_GT(raceMs, 125000u);
    EXPECT_LT(raceMs, 125000u + 2000u) << "crossed within two seconds of the last stretch";

    const RaceResult result = raceResult();
    EXPECT_EQ(result.lapMs[0], gLapClock.lapMs[0]);
    EXPECT_EQ(result.lapMs[1], gLapClock.lapMs[1]);
    EXPECT_EQ(result.lapMs[2], gLapClock.lapMs[2]);
    EXPECT_EQ(result.raceMs, raceMs);
    EXPECT_EQ(result.bestLapMs,
              std::min({gLapClock.lapMs[0], gLapClock.lapMs[1], gLapClock.lapMs[2]}));
    EXPECT_EQ(result.place, gFinalPlace);
    EXPECT_EQ(result.place, 1) << "three laps up on the opponents";

    // A minute later the clock still reads the race time, and the craft still flies.
    const Vector3 finishedAt = gPlayer.position;
    recordKeyDown(VK_UP);
    for (int frame = 0; frame < 60; ++frame) {
        tick();
    }
    gNow += 60000;
    tick();
    EXPECT_EQ(gLapClock.elapsedMs(), raceMs);
    EXPECT_GT(gPlayer.position.distanceTo(finishedAt), 100.0) << "the player may drive on";
    // A fourth crossing times nothing.
    lapEndingAt(300000);
    EXPECT_EQ(gLapClock.elapsedMs(), raceMs);
    EXPECT_EQ(raceResult().lapMs[2], result.lapMs[2]);
}

TEST_F(RaceFinish, TheFinalPlaceIsTakenAtTheLineAndStandsWhileTheOpponentsFlyOn) {
    lapEndingAt(41000);
    lapEndingAt(82000);
    // Two craft are a lap ahead as the player comes round the third time.
    gOpponents[1].laps = 4;
    gOpponents[3].laps = 4;
    lapEndingAt(125000);
    ASSERT_TRUE(raceIsFinished());
    EXPECT_EQ(gFinalPlace, 3) << "taken as the lap came in, not at the next refresh";

    // Then everyone passes: the live standing drops, the result does not.
    for (Opponent& opponent : gOpponents) {
        opponent.laps = 6;
    }
    for (int frame = 0; frame < 20; ++frame) {
        tick();
    }
    EXPECT_EQ(gRacePosition, 6);
    EXPECT_EQ(raceResult().place, 3);
}

TEST_F(RaceFinish, HundredAndTwentyPausedTicksChangeNoCraftShotClockOrStanding) {
    recordKeyDown(VK_UP);
    recordKeyDown(VK_SPACE);
    for (int frame = 0; frame < 90; ++frame) {
        tick();
    }
    ASSERT_EQ(gProjectile.active, 1) << "a shot in flight, to see it hold still";
    ASSERT_GT(gPlayer.speed, 50.0f);
    const uint32_t readingAtPause = gLapClock.elapsedMs();
    pauseRace();
    ASSERT_TRUE(raceIsPaused());
    const testsupport::RaceState before = testsupport::RaceState::now();

    for (int frame = 0; frame < 120; ++frame) {
        const RaceSounds sounds = tick();  // keys still held, two seconds pass
        EXPECT_FALSE(sounds.engineStep || sounds.crash || sounds.shot) << "frame " << frame;
    }
    testsupport::expectSameRace(before, testsupport::RaceState::now());
    EXPECT_EQ(gLapClock.elapsedMs(), readingAtPause);

    // Resumed, the race goes on from where it stood: the clock without the pause.
    resumeRace();
    EXPECT_FALSE(raceIsPaused());
    EXPECT_EQ(gLapClock.elapsedMs(), readingAtPause);
    const Vector3 pausedAt = gPlayer.position;
    EXPECT_TRUE(tick().engineStep);
    EXPECT_EQ(gLapClock.elapsedMs(), readingAtPause + TICK_MS);
    EXPECT_GT(gPlayer.position.distanceTo(pausedAt), 50.0);
    EXPECT_EQ(gFrameCounter, (before.frameCounter + 1) % FRAME_COUNTER_MODULUS);
}

TEST_F(RaceFinish, PausingTwiceOrResumingARunningRaceChangesNothing) {
    for (int frame = 0; frame < 10; ++frame) {
        tick();
    }
    resumeRace();
    EXPECT_EQ(gLapClock.elapsedMs(), 10 * TICK_MS);
    pauseRace();
    gNow += 500;
    pauseRace();  // the pause keeps its first reading
    gNow += 500;
    resumeRace();
    EXPECT_EQ(gLapClock.elapsedMs(), 10 * TICK_MS);
}

TEST_F(RaceFinish, AStartAfterAFinishedAndPausedRaceIsAFreshRace) {
    runThreeLaps();
    ASSERT_TRUE(raceIsFinished());
    pauseRace();

    gNow = 5000000;
    startRace();
    EXPECT_FALSE(raceIsPaused());
    EXPECT_FALSE(raceIsFinished());
    EXPECT_EQ(gFinalPlace, 0);
    EXPECT_EQ(gLapClock.elapsedMs(), 0u);
    EXPECT_EQ(gPlayer.laps, 0);
    gNow += 1000;
    EXPECT_EQ(gLapClock.elapsedMs(), 1000u) << "and its clock runs";
}

}  // namespace
