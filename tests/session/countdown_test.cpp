#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "race/race_time.h"
#include "session/countdown.h"

namespace {
class Countdown : public testing::Test {
protected:
    void TearDown() override { stopCountdown(); }
    static void advance(int ticks) {
        for (int n = 0; n < ticks; ++n) {
            advanceCountdown();
        }
    }
};

// A tick of the countdown: the step begun on it, and what holds and shows after it.
struct TickSeen {
    int tick;
    std::optional<int> begun;
    bool holds;
    std::optional<int> shows;
};

TEST_F(Countdown, ThreeTwoOneEachHoldTheGridASecondThenGoShowsASecondMore) {
    startCountdown();
    EXPECT_TRUE(countdownHolds()) << "the grid waits from the moment it is started";
    EXPECT_EQ(countdownShows(), 3);
    const int second = RACE_TICKS_PER_SECOND;
    const std::vector<TickSeen> expected = {
        {1, 3, true, 3},
        {2, std::nullopt, true, 3},
        {second, std::nullopt, true, 3},
        {second + 1, 2, true, 2},
        {2 * second, std::nullopt, true, 2},
        {2 * second + 1, 1, true, 1},
        {3 * second, std::nullopt, true, 1},
        {3 * second + 1, 0, false, 0},  // GO: the race moves on this tick
        {4 * second, std::nullopt, false, 0},
        {4 * second + 1, std::nullopt, false, std::nullopt},
        {5 * second, std::nullopt, false, std::nullopt},
    };
    int held = 0;
    std::vector<int> begunSteps;
    for (int tick = 1; tick <= expected.back().tick; ++tick) {
        const std::optional<int> begun = advanceCountdown();
        if (begun) {
            begunSteps.push_back(*begun);
        }
        held += countdownHolds() ? 1 : 0;
        for (const TickSeen& seen : expected) {
            if (seen.tick == tick) {
                SCOPED_TRACE(tick);
                EXPECT_EQ(begun, seen.begun);
                EXPECT_EQ(countdownHolds(), seen.holds);
                EXPECT_EQ(countdownShows(), seen.shows);
            }
        }
    }
    EXPECT_EQ(held, 3 * second) << "the grid holds for exactly three seconds";
    EXPECT_EQ(begunSteps, (std::vector<int>{3, 2, 1, 0})) << "one sound a step, no more";
}

TEST_F(Countdown, StopClearsItAndStartingAgainBeginsAtThree) {
    EXPECT_FALSE(countdownHolds()) << "a race has none";
    EXPECT_EQ(advanceCountdown(), std::nullopt);
    startCountdown();
    advance(100);
    ASSERT_EQ(countdownShows(), 2);
    stopCountdown();
    EXPECT_FALSE(countdownHolds());
    EXPECT_EQ(countdownShows(), std::nullopt);
    EXPECT_EQ(advanceCountdown(), std::nullopt);

    startCountdown();
    advance(150);
    startCountdown();  // a new grid mid-countdown counts from the top
    EXPECT_EQ(advanceCountdown(), 3);
    EXPECT_TRUE(countdownHolds());
}
}  // namespace
