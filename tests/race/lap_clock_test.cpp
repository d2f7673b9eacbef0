#include <gtest/gtest.h>

#include "race/lap_clock.h"

namespace {
uint32_t gLapClockNow = 0;
uint32_t lapTestClock() {
    return gLapClockNow;
}

class FakeClock : public ::testing::Test {
protected:
    void SetUp() override { LapClock::setSource(lapTestClock); }
    void TearDown() override { LapClock::setSource(nullptr); }
};

TEST(ClockText, MinutesAndSecondsArePaddedWithSpacesMillisecondsAlwaysHaveThreeDigits) {
    EXPECT_EQ(clockText(0), " 0: 0:000\n");
    EXPECT_EQ(clockText(7), " 0: 0:007\n");
    EXPECT_EQ(clockText(54035), " 0:54:035\n") << "54.035 s must not read as 54.35 s";
    EXPECT_EQ(clockText(59999), " 0:59:999\n");
    EXPECT_EQ(clockText(60000), " 1: 0:000\n");
    EXPECT_EQ(clockText(65007), " 1: 5:007\n");
    EXPECT_EQ(clockText(10 * 60000 + 42 * 1000 + 50), "10:42:050\n");
    EXPECT_EQ(clockText(3599999), "59:59:999\n");
}

TEST(ClockText, MinutesWrapAfterAnHour) {
    EXPECT_EQ(clockText(59 * 60000 + 59999), "59:59:999\n");
    EXPECT_EQ(clockText(60 * 60000), " 0: 0:000\n");
    EXPECT_EQ(clockText(61 * 60000 + 1), " 1: 0:001\n");
    EXPECT_EQ(clockText(UINT32_MAX), " 2:47:295\n");  // 71582 minutes, 47.295 s
}

TEST_F(FakeClock, ElapsedTimeRunsFromTheStartAndHoldsAcrossTheTimersWrap) {
    gLapClockNow = UINT32_MAX - 499;  // half a second before the timer wraps
    LapClock clock;
    clock.lapMs[1] = 1234;
    clock.start();
    EXPECT_EQ(clock.startMs, UINT32_MAX - 499);
    EXPECT_EQ(clock.lapMs[0], 0u);
    EXPECT_EQ(clock.lapMs[1], 0u);
    EXPECT_EQ(clock.elapsedMs(), 0u);
    gLapClockNow = 65007 - 500;  // wrapped
    EXPECT_EQ(clock.elapsedMs(), 65007u);
    EXPECT_EQ(clock.elapsedText(), " 1: 5:007\n");
}

TEST_F(FakeClock, LapTextShowsTheLapsOwnTime) {
    LapClock clock;
    clock.lapMs[2] = 59999;
    EXPECT_EQ(clock.lapText(2), " 0:59:999\n");
    EXPECT_EQ(clock.lapText(0), " 0: 0:000\n");
    EXPECT_EQ(clock.lapText(3), "");
    EXPECT_EQ(clock.lapText(-1), "");
}

TEST(LapRules, NothingRegistersInTheFirstTenSeconds) {
    LapClock clock;
    EXPECT_FALSE(clock.registerLap(LAP_MIN_MS, 1)) << "a lap at exactly ten seconds is too early";
    EXPECT_EQ(clock.lapMs[0], 0u);
    // The crossing was spent: the next lap needs the next crossing.
    EXPECT_FALSE(clock.registerLap(LAP_MIN_MS + 1, 1));
    EXPECT_TRUE(clock.registerLap(LAP_MIN_MS + 5000, 2));
    EXPECT_EQ(clock.lapMs[0], LAP_MIN_MS + 5000);
}

TEST(LapRules, StandingOnTheLineOrHoveringAcrossItNeverRegisters) {
    LapClock clock;
    // A craft that never moves: laps stay 0 for a minute of frames.
    for (uint32_t ms = 0; ms <= 60000; ms += 16) {
        EXPECT_FALSE(clock.registerLap(ms, 0));
    }
    // Reversing over the line (laps -1) and forward over it again (0).
    EXPECT_FALSE(clock.registerLap(61000, -1));
    EXPECT_FALSE(clock.registerLap(62000, 0));
    EXPECT_FALSE(clock.registerLap(63000, -1));
    EXPECT_FALSE(clock.registerLap(64000, 0));
    EXPECT_EQ(clock.lapMs[0], 0u);
    // Only a whole lap covered, ending on a forward crossing, counts.
    EXPECT_TRUE(clock.registerLap(95000, 1));
    EXPECT_EQ(clock.lapMs[0], 95000u);
}

TEST(LapRules, BackingOverTheLineAfterALapRegistersNothingUntilTheNextLap) {
    LapClock clock;
    ASSERT_TRUE(clock.registerLap(30000, 1));
    EXPECT_FALSE(clock.registerLap(45000, 1)) << "still past the line: no new crossing";
    EXPECT_FALSE(clock.registerLap(46000, 0));  // reversed back over it
    EXPECT_FALSE(clock.registerLap(47000, 1));  // and forward again: the same lap
    EXPECT_EQ(clock.lapMs[1], 0u);
    EXPECT_TRUE(clock.registerLap(70000, 2));
    EXPECT_EQ(clock.lapMs[1], 40000u);
}

TEST(LapRules, EachLaterLapNeedsAFurtherTenSecondsAndAtMostThreeCount) {
    LapClock clock;
    ASSERT_TRUE(clock.registerLap(30000, 1));
    EXPECT_FALSE(clock.registerLap(40000, 2)) << "exactly ten seconds after the last is too soon";
    EXPECT_EQ(clock.lapMs[1], 0u);
    ASSERT_TRUE(clock.registerLap(40001, 3));
    EXPECT_EQ(clock.lapMs[1], 10001u);
    EXPECT_FALSE(clock.registerLap(50001, 4));
    ASSERT_TRUE(clock.registerLap(75000, 5));
    EXPECT_EQ(clock.lapMs[2], 75000u - 30000u - 10001u);
    EXPECT_FALSE(clock.registerLap(200000, 6)) << "after three laps nothing more registers";
    EXPECT_EQ(clock.lapMs[0], 30000u);
    EXPECT_EQ(clock.lapMs[1], 10001u);
    EXPECT_EQ(clock.lapMs[2], 34999u);
}

TEST_F(FakeClock, StartingTheClockForgetsTheLapsItHasSeen) {
    LapClock clock;
    gLapClockNow = 1000;
    clock.start();
    ASSERT_TRUE(clock.registerLap(40000, 1));
    gLapClockNow = 90000;
    clock.start();
    EXPECT_EQ(clock.lapMs[0], 0u);
    EXPECT_FALSE(clock.registerLap(1000, 0));
    EXPECT_TRUE(clock.registerLap(31000, 1)) << "a new race's first lap counts again";
}

TEST_F(FakeClock, APausedClockStandsStillAndTheTimePausedNeverCounts) {
    gLapClockNow = 1000;
    LapClock clock;
    clock.start();
    gLapClockNow = 6000;
    clock.pause();
    EXPECT_TRUE(clock.paused);
    gLapClockNow = 66000;  // a minute away from the race
    EXPECT_EQ(clock.elapsedMs(), 5000u);
    clock.pause();  // a second pause keeps the first one's reading
    gLapClockNow = 70000;
    clock.resume();
    EXPECT_FALSE(clock.paused);
    EXPECT_EQ(clock.elapsedMs(), 5000u);
    gLapClockNow = 71000;
    EXPECT_EQ(clock.elapsedMs(), 6000u);
    clock.resume();  // resuming a running clock changes nothing
    EXPECT_EQ(clock.elapsedMs(), 6000u);
    // Laps are timed on the clock without its pauses.
    gLapClockNow = 71000 + 30000;
    EXPECT_TRUE(clock.registerLap(clock.elapsedMs(), 1));
    EXPECT_EQ(clock.lapMs[0], 36000u);
}

TEST_F(FakeClock, TheThirdLapStopsTheClockAtTheRaceTimeUntilTheNextStart) {
    gLapClockNow = 500;
    LapClock clock;
    clock.start();
    EXPECT_FALSE(clock.finished());
    ASSERT_TRUE(clock.registerLap(41000, 1));
    ASSERT_TRUE(clock.registerLap(82500, 2));
    EXPECT_FALSE(clock.finished());
    gLapClockNow = 500 + 120000;
    EXPECT_EQ(clock.elapsedMs(), 120000u) << "two laps in, the clock still runs";
    ASSERT_TRUE(clock.registerLap(clock.elapsedMs(), 3));
    EXPECT_TRUE(clock.finished());
    EXPECT_EQ(clock.raceMs(), 120000u);
    gLapClockNow += 3600000;
    EXPECT_EQ(clock.elapsedMs(), 120000u);
    EXPECT_EQ(clock.elapsedText(), " 2: 0:000\n");
    clock.pause();
    clock.resume();
    EXPECT_EQ(clock.elapsedMs(), 120000u);

    clock.pause();
    clock.start();
    EXPECT_FALSE(clock.finished());
    EXPECT_FALSE(clock.paused) << "a new race starts running";
    EXPECT_EQ(clock.elapsedMs(), 0u);
}

}  // namespace
