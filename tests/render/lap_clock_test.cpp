#include <gtest/gtest.h>

#include "render/lap_clock.h"

namespace {
uint32_t gFakeNow = 0;
uint32_t fakeClock() {
    return gFakeNow;
}

class FakeClock : public ::testing::Test {
protected:
    void SetUp() override { LapClock::setSource(fakeClock); }
    void TearDown() override { LapClock::setSource(nullptr); }
};

// A start line sample and a crossing at racing speed, as the track reports them.
constexpr double ON_LINE = 0.0;
constexpr double MID_LAP = 3.0;
constexpr double LAST_STRETCH = 6.25;
constexpr double FIRST_STRETCH = 0.12;
}  // namespace

TEST(ClockText, MinutesAndSecondsArePaddedWithSpacesMillisecondsNot) {
    EXPECT_EQ(clockText(0), " 0: 0:0\n");
    EXPECT_EQ(clockText(59999), " 0:59:999\n");
    EXPECT_EQ(clockText(60000), " 1: 0:0\n");
    EXPECT_EQ(clockText(65007), " 1: 5:7\n");
    EXPECT_EQ(clockText(10 * 60000 + 42 * 1000 + 50), "10:42:50\n");
}

TEST(ClockText, MinutesWrapAfterAnHour) {
    EXPECT_EQ(clockText(59 * 60000 + 59999), "59:59:999\n");
    EXPECT_EQ(clockText(60 * 60000), " 0: 0:0\n");
    EXPECT_EQ(clockText(61 * 60000 + 1), " 1: 0:1\n");
    EXPECT_EQ(clockText(UINT32_MAX), " 2:47:295\n");  // 71582 minutes, 47.295 s
}

TEST_F(FakeClock, ElapsedTimeRunsFromTheStartAndHoldsAcrossTheTimersWrap) {
    gFakeNow = UINT32_MAX - 499;  // half a second before the timer wraps
    LapClock clock;
    clock.lapMs[1] = 1234;
    clock.start();
    EXPECT_EQ(clock.startMs, UINT32_MAX - 499);
    EXPECT_EQ(clock.lapMs[0], 0u);
    EXPECT_EQ(clock.lapMs[1], 0u);
    EXPECT_EQ(clock.elapsedMs(), 0u);
    gFakeNow = 65007 - 500;  // wrapped
    EXPECT_EQ(clock.elapsedMs(), 65007u);
    EXPECT_EQ(clock.elapsedText(), " 1: 5:7\n");
}

TEST_F(FakeClock, LapTextShowsTheLapsOwnTime) {
    LapClock clock;
    clock.lapMs[2] = 59999;
    EXPECT_EQ(clock.lapText(2), " 0:59:999\n");
    EXPECT_EQ(clock.lapText(0), " 0: 0:0\n");
    EXPECT_EQ(clock.lapText(3), "");
    EXPECT_EQ(clock.lapText(-1), "");
}

TEST(LapRules, NothingRegistersInTheFirstTenSeconds) {
    LapClock clock;
    EXPECT_FALSE(clock.registerLap(0, ON_LINE, ON_LINE));
    EXPECT_FALSE(clock.registerLap(LAP_MIN_MS, ON_LINE, ON_LINE));  // must be past it
    EXPECT_FALSE(clock.registerLap(LAP_MIN_MS, FIRST_STRETCH, LAST_STRETCH));
    EXPECT_EQ(clock.lapMs[0], 0u);
    EXPECT_TRUE(clock.registerLap(LAP_MIN_MS + 1, ON_LINE, ON_LINE));
    EXPECT_EQ(clock.lapMs[0], LAP_MIN_MS + 1);
}

TEST(LapRules, NothingRegistersAwayFromTheLine) {
    LapClock clock;
    EXPECT_FALSE(clock.registerLap(20000, MID_LAP, MID_LAP - 0.1));
    EXPECT_FALSE(clock.registerLap(20000, 1e-9, 0.0));  // near is not on
    EXPECT_EQ(clock.lapMs[0], 0u);
}

TEST(LapRules, EachLaterLapNeedsAFurtherTenSecondsAndAtMostThreeCount) {
    LapClock clock;
    ASSERT_TRUE(clock.registerLap(30000, ON_LINE, ON_LINE));
    // Lingering on the line registers nothing more.
    EXPECT_FALSE(clock.registerLap(30016, ON_LINE, ON_LINE));
    EXPECT_FALSE(clock.registerLap(40000, ON_LINE, ON_LINE));
    EXPECT_EQ(clock.lapMs[1], 0u);
    ASSERT_TRUE(clock.registerLap(40001, ON_LINE, ON_LINE));
    EXPECT_EQ(clock.lapMs[1], 10001u);
    EXPECT_FALSE(clock.registerLap(50001, ON_LINE, ON_LINE));
    ASSERT_TRUE(clock.registerLap(75000, ON_LINE, ON_LINE));
    EXPECT_EQ(clock.lapMs[2], 75000u - 30000u - 10001u);
    EXPECT_FALSE(clock.registerLap(200000, ON_LINE, ON_LINE));
    EXPECT_FALSE(clock.registerLap(300000, FIRST_STRETCH, LAST_STRETCH));
    EXPECT_EQ(clock.lapMs[0], 30000u);
    EXPECT_EQ(clock.lapMs[1], 10001u);
    EXPECT_EQ(clock.lapMs[2], 34999u);
}

TEST(LapRules, ACraftCrossingTheLineBetweenTwoFramesRegisters) {
    LapClock clock;
    EXPECT_TRUE(clock.registerLap(25000, FIRST_STRETCH, LAST_STRETCH));
    EXPECT_EQ(clock.lapMs[0], 25000u);
    // The next frame is past the line too, but not crossing it.
    EXPECT_FALSE(clock.registerLap(25016, FIRST_STRETCH + 0.1, FIRST_STRETCH));
    EXPECT_TRUE(clock.registerLap(60000, 0.29, 6.19));
    EXPECT_EQ(clock.lapMs[1], 35000u);
}

TEST(LapRules, OnlyAForwardCrossingOfTheLineCounts) {
    LapClock clock;
    // Reversing over the line between frames.
    EXPECT_FALSE(clock.registerLap(25000, LAST_STRETCH, FIRST_STRETCH));
    // Jumps that do not come from the lap's last stretch or land past its first.
    EXPECT_FALSE(clock.registerLap(25000, FIRST_STRETCH, MID_LAP));
    EXPECT_FALSE(clock.registerLap(25000, 0.31, LAST_STRETCH));
    EXPECT_FALSE(clock.registerLap(25000, FIRST_STRETCH, LAP_LAST_STRETCH));
    EXPECT_EQ(clock.lapMs[0], 0u);
    // Standing on the line still counts whichever way the craft came.
    EXPECT_TRUE(clock.registerLap(25000, ON_LINE, FIRST_STRETCH));
}
