#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "shell/loop_pacer.h"
#include "support/fake_pacer_clock.h"

namespace {

using FakeClock = testsupport::FakePacerClock;

constexpr int64_t MS = 1000000;
constexpr int64_t SECOND = 1000 * MS;

struct LoopRun {
    int64_t frames = 0;
    int64_t ticks = 0;
    std::vector<int> ticksPerFrame;
    std::vector<double> blends;
};

// Turns of the loop for a while of fake time: the due ticks, a frame that
// costs frameCost(n), the wait. A display that waits is stood in for by
// frameCost taking the refresh's whole interval.
template <typename Cost>
LoopRun runFor(FakeClock& clock, LoopPacer& pacer, int64_t duration, Cost frameCost) {
    LoopRun run;
    const int64_t end = clock.now + duration;
    while (clock.now < end) {
        const int due = pacer.takeDueTicks();
        run.ticks += due;
        run.ticksPerFrame.push_back(due);
        run.blends.push_back(pacer.drawBlend());
        clock.advance(frameCost(run.frames));
        ++run.frames;
        pacer.waitForNextDraw();
    }
    return run;
}

LoopRun runFor(FakeClock& clock, LoopPacer& pacer, int64_t duration, int64_t frameCost) {
    return runFor(clock, pacer, duration, [frameCost](int64_t) { return frameCost; });
}

int framesNotRunningOneTick(const LoopRun& run) {
    int count = 0;
    for (int due : run.ticksPerFrame) {
        count += due != 1 ? 1 : 0;
    }
    return count;
}

TEST(LoopPacer, KeepingStepEveryFrameRunsOneTickAndShowsItWhateverTheFrameCosts) {
    for (int64_t work : {int64_t{0}, MS / 2, 5 * MS, 16 * MS}) {
        FakeClock clock;
        LoopPacer pacer(clock, 60, DrawPacing{60, false});
        const LoopRun run = runFor(clock, pacer, SECOND, work);
        EXPECT_EQ(run.frames, 60) << "work " << work;
        EXPECT_EQ(run.ticks, 60) << "work " << work;
        EXPECT_EQ(framesNotRunningOneTick(run), 0) << "work " << work;
        for (double blend : run.blends) {
            ASSERT_EQ(blend, 1.0);
        }
    }
}

TEST(LoopPacer, TheTicksDoNotDriftOverManyMinutes) {
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{60, false});
    const LoopRun run = runFor(clock, pacer, 600 * SECOND, 3 * MS);
    EXPECT_EQ(run.ticks, 36000);
    EXPECT_EQ(framesNotRunningOneTick(run), 0);
}

TEST(LoopPacer, LateFramesAreFollowedByTheTicksTheyMissedSoTheRaceKeepsItsPace) {
    // One slow frame: the next one catches up, and the second still holds 60.
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{60, false});
    const LoopRun slowOnce =
        runFor(clock, pacer, 2 * SECOND, [](int64_t n) { return n == 10 ? 50 * MS : MS; });
    EXPECT_EQ(slowOnce.ticksPerFrame[11], 3);
    EXPECT_EQ(slowOnce.ticks, 120);

    // A machine that draws only 40 frames a second still races 60 ticks.
    FakeClock busyClock;
    LoopPacer busy(busyClock, 60, DrawPacing{60, false});
    const LoopRun slow = runFor(busyClock, busy, 10 * SECOND, 25 * MS);
    EXPECT_EQ(slow.frames, 400);
    EXPECT_NEAR(static_cast<double>(slow.ticks), 600.0, 2.0);
    for (int due : slow.ticksPerFrame) {
        EXPECT_TRUE(due == 1 || due == 2) << due;
    }
    EXPECT_EQ(busy.droppedTicks(), 0);
}

TEST(LoopPacer, AStalledMachineCatchesUpAFewTicksAndNeverSpirals) {
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{60, false});
    const LoopRun run = runFor(clock, pacer, 3 * SECOND, [](int64_t n) {
        return n == 30 ? 1000 * MS : MS;  // a second lost in the swap
    });
    EXPECT_EQ(run.ticksPerFrame[31], LoopPacer::MAX_CATCH_UP_TICKS);
    EXPECT_EQ(pacer.droppedTicks(), 60 - LoopPacer::MAX_CATCH_UP_TICKS);
    // Afterwards one tick a frame again, not a burst.
    for (size_t i = 32; i < run.ticksPerFrame.size(); ++i) {
        ASSERT_EQ(run.ticksPerFrame[i], 1) << "frame " << i;
    }
    // Even frames that always take longer than the catch-up allows stay
    // bounded: each runs the most, and the rest is given up.
    FakeClock crawlClock;
    LoopPacer crawling(crawlClock, 60, DrawPacing{60, false});
    const LoopRun crawl = runFor(crawlClock, crawling, 5 * SECOND, 200 * MS);
    for (size_t i = 1; i < crawl.ticksPerFrame.size(); ++i) {
        ASSERT_EQ(crawl.ticksPerFrame[i], LoopPacer::MAX_CATCH_UP_TICKS);
    }
}

// A still pause waits on events for seconds: afterwards the race goes on one
// tick a frame, as though the wait had never been, for both kinds of pacing,
// and the wait is not counted as ticks dropped by a stall.
TEST(LoopPacer, AfterAWaitOnEventsTheTicksWaitedAreSkippedNotRushed) {
    for (const DrawPacing pacing : {DrawPacing{60, false}, DrawPacing{144, false}}) {
        SCOPED_TRACE(pacing.drawsPerSecond);
        FakeClock clock;
        LoopPacer pacer(clock, 60, pacing);
        const LoopRun before = runFor(clock, pacer, SECOND, MS);
        clock.advance(3 * SECOND + 7 * MS);  // the wait
        pacer.skipTheTicksWaited();
        const LoopRun after = runFor(clock, pacer, SECOND, MS);
        EXPECT_LE(after.ticksPerFrame.front(), 1);
        EXPECT_NEAR(static_cast<double>(after.ticks), 60.0, 1.0) << "a second's ticks, no more";
        EXPECT_EQ(pacer.droppedTicks(), 0);
        EXPECT_EQ(pacer.lateDraws(), 0);
        EXPECT_NEAR(static_cast<double>(before.ticks), 60.0, 1.0);
    }
    FakeClock clock;
    LoopPacer unstarted(clock, 60, DrawPacing{60, false});
    unstarted.skipTheTicksWaited();  // before any frame: nothing to skip
    EXPECT_EQ(unstarted.takeDueTicks(), 1);
}

TEST(LoopPacer, ADisplayAHairSlowerThanTheRaceDoublesATickOnlyEverySeventeenSeconds) {
    // 59.94 Hz with a millisecond of wobble either way, each frame held by the swap.
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{60, true});
    constexpr int64_t refresh = SECOND * 1000 / 59940;
    const LoopRun run = runFor(clock, pacer, 60 * SECOND, [](int64_t n) {
        const int64_t wobble = (n % 3 - 1) * MS;
        return refresh + wobble;
    });
    int doubled = 0;
    int none = 0;
    for (int due : run.ticksPerFrame) {
        doubled += due == 2 ? 1 : 0;
        none += due == 0 ? 1 : 0;
    }
    EXPECT_EQ(none, 0);
    EXPECT_GE(doubled, 3);
    EXPECT_LE(doubled, 4);
    EXPECT_TRUE(pacer.displayPaces());
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST(LoopPacer, DrawingFasterThanTheTicksBlendsForwardsBetweenThem) {
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{144, false});
    EXPECT_FALSE(pacer.keepsStep());
    const LoopRun run = runFor(clock, pacer, 10 * SECOND, 2 * MS);
    EXPECT_NEAR(static_cast<double>(run.frames), 1440.0, 1.0);
    EXPECT_NEAR(static_cast<double>(run.ticks), 600.0, 1.0);
    // The drawn moment, in ticks, moves forwards every frame and never by
    // more than the time between two frames.
    double ticksSoFar = 0.0;
    double lastDrawn = -1.0;
    for (size_t i = 1; i < run.ticksPerFrame.size(); ++i) {
        ticksSoFar += run.ticksPerFrame[i];
        const double drawn = ticksSoFar + run.blends[i];
        ASSERT_GE(run.blends[i], 0.0);
        ASSERT_LT(run.blends[i], 1.0);
        ASSERT_GT(drawn, lastDrawn) << "frame " << i;
        if (lastDrawn >= 0.0) {
            ASSERT_NEAR(drawn - lastDrawn, 60.0 / 144.0, 1e-6) << "frame " << i;
        }
        lastDrawn = drawn;
    }
    EXPECT_EQ(pacer.lateDraws(), 0);

    // Slower than the ticks, each frame runs two or three of them.
    FakeClock slowClock;
    LoopPacer slow(slowClock, 60, DrawPacing{30, false});
    const LoopRun thirty = runFor(slowClock, slow, 10 * SECOND, 2 * MS);
    EXPECT_NEAR(static_cast<double>(thirty.frames), 300.0, 1.0);
    EXPECT_NEAR(static_cast<double>(thirty.ticks), 600.0, 2.0);
}

TEST(LoopPacer, ASwapThatDoesNotWaitForTheDisplayIsFoundOutAndPacedBySleeping) {
    FakeClock clock;
    LoopPacer pacer(clock, 60, DrawPacing{60, true});
    const LoopRun run = runFor(clock, pacer, 2 * SECOND, MS / 4);
    EXPECT_FALSE(pacer.displayPaces());
    // About thirty quick frames while it watched, then one per tick.
    EXPECT_GE(run.frames, 148);
    EXPECT_LE(run.frames, 152);
    EXPECT_EQ(run.ticks, 120);
}

}  // namespace
