#include "shell/frame_rate_meter.h"

#include <gtest/gtest.h>

#include "support/fake_pacer_clock.h"

namespace {
constexpr int64_t SECOND_NS = 1000000000;

// A loop drawing framesPerSecond evenly spaced frames for a while, running
// the race's 60 ticks a second in the turns they fall due.
void runLoop(FrameRateMeter& meter, testsupport::FakePacerClock& clock, int framesPerSecond,
             int frames) {
    for (int i = 0; i < frames; ++i) {
        const int64_t before = clock.now * 60 / SECOND_NS;
        clock.advance(SECOND_NS / framesPerSecond);
        meter.countTicks(static_cast<int>(clock.now * 60 / SECOND_NS - before));
        meter.countFrame();
    }
}
}  // namespace

TEST(FrameRateMeter, TellsTheFramesAndTicksOfTheLastWholeSecond) {
    struct Case {
        int framesPerSecond;
        double ticksPerSecond;
    };
    for (const Case c : {Case{60, 60.0}, Case{144, 60.0}, Case{30, 60.0}}) {
        testsupport::FakePacerClock clock;
        FrameRateMeter meter(clock);
        runLoop(meter, clock, c.framesPerSecond, c.framesPerSecond / 2);
        EXPECT_EQ(meter.framesPerSecond(), 0.0) << "no whole second yet";
        runLoop(meter, clock, c.framesPerSecond, 2 * c.framesPerSecond);
        // Frames just on a second's edge may land either side of it.
        EXPECT_NEAR(meter.framesPerSecond(), c.framesPerSecond, 1.0) << c.framesPerSecond;
        EXPECT_NEAR(meter.ticksPerSecond(), c.ticksPerSecond, 1.0) << c.framesPerSecond;
    }
}

TEST(FrameRateMeter, AStallReadsAsNothingAndTheCountRisesAgainAfterIt) {
    testsupport::FakePacerClock clock;
    FrameRateMeter meter(clock);
    runLoop(meter, clock, 60, 150);
    ASSERT_NEAR(meter.framesPerSecond(), 60.0, 1.0);
    clock.advance(3 * SECOND_NS);
    meter.countFrame();
    EXPECT_EQ(meter.framesPerSecond(), 0.0);
    EXPECT_EQ(meter.ticksPerSecond(), 0.0);
    runLoop(meter, clock, 20, 45);
    EXPECT_NEAR(meter.framesPerSecond(), 20.0, 1.0);
}
