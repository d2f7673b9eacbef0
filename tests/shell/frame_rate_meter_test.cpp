#include "shell/frame_rate_meter.h"

#include <gtest/gtest.h>

#include "support/fake_pacer_clock.h"

namespace {
constexpr int64_t SECOND_NS = 1000000000;

// A loop drawing evenly spaced frames, running the race's 60 ticks a second
// in the turns they fall due.
void runLoop(FrameRateMeter& meter, testsupport::FakePacerClock& clock, int framesPerSecond,
             int frames) {
    for (int i = 0; i < frames; ++i) {
        const int64_t ticksBefore = clock.now * 60 / SECOND_NS;
        clock.advance(SECOND_NS / framesPerSecond);
        meter.countTicks(static_cast<int>(clock.now * 60 / SECOND_NS - ticksBefore));
        meter.countFrame();
    }
}
}  // namespace

TEST(FrameRateMeter, TellsTheFramesAndTicksOfTheLastWholeSecond) {
    for (const int framesPerSecond : {60, 144, 30}) {
        testsupport::FakePacerClock clock;
        FrameRateMeter meter(clock);
        runLoop(meter, clock, framesPerSecond, framesPerSecond / 2);
        EXPECT_EQ(meter.framesPerSecond(), 0.0) << "no whole second yet";
        runLoop(meter, clock, framesPerSecond, 2 * framesPerSecond);
        // A frame on a second's edge may land either side of it.
        EXPECT_NEAR(meter.framesPerSecond(), framesPerSecond, 1.0);
        EXPECT_NEAR(meter.ticksPerSecond(), 60.0, 1.0) << framesPerSecond;
    }
}

TEST(FrameRateMeter, AStallReadsAsNothingAndTheCountComesBackAfterIt) {
    testsupport::FakePacerClock clock;
    FrameRateMeter meter(clock);
    runLoop(meter, clock, 60, 150);
    clock.advance(3 * SECOND_NS);
    meter.countFrame();
    EXPECT_EQ(meter.framesPerSecond(), 0.0);
    EXPECT_EQ(meter.ticksPerSecond(), 0.0);
    runLoop(meter, clock, 20, 45);
    EXPECT_NEAR(meter.framesPerSecond(), 20.0, 1.0);
}
