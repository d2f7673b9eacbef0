#include <gtest/gtest.h>

#include <vector>

#include "app/frame_pacer.h"

namespace {

// Time moves only when the game works (advance) or the pacer sleeps.
class FakeClock : public PacerClock {
public:
    int64_t nowNanoseconds() override { return now; }
    void sleepNanoseconds(int64_t duration) override {
        sleeps.push_back(duration);
        now += duration;
    }
    void advance(int64_t duration) { now += duration; }

    int64_t now = 1000000000;
    std::vector<int64_t> sleeps;
};

constexpr int64_t MS = 1000000;

// Runs frames that each take workNs, returns how many start in one second.
int framesInOneSecond(FakeClock& clock, FramePacer& pacer, int64_t workNs) {
    const int64_t end = clock.now + 1000 * MS;
    int frames = 0;
    while (clock.now < end) {
        ++frames;
        clock.advance(workNs);
        pacer.waitForNextTick();
    }
    return frames;
}

TEST(FramePacer, HoldsSixtyTicksASecondWhateverTheFrameCosts) {
    for (int64_t work : {int64_t{0}, MS / 2, 5 * MS, 16 * MS}) {
        FakeClock clock;
        FramePacer pacer(clock, 60);
        EXPECT_EQ(framesInOneSecond(clock, pacer, work), 60) << "work " << work;
        EXPECT_EQ(pacer.lateFrames(), 0);
    }
}

TEST(FramePacer, SleepsOnlyTheRestOfTheTick) {
    FakeClock clock;
    FramePacer pacer(clock, 60);
    clock.advance(4 * MS);
    pacer.waitForNextTick();
    clock.advance(4 * MS);
    pacer.waitForNextTick();
    ASSERT_EQ(clock.sleeps.size(), 2u);
    // The schedule starts at the first wait, so the first frame sleeps a whole tick.
    EXPECT_EQ(clock.sleeps[0], 16666666);
    EXPECT_EQ(clock.sleeps[1], 33333333 - 16666666 - 4 * MS);
}

TEST(FramePacer, DoesNotDriftOverManyTicks) {
    FakeClock clock;
    FramePacer pacer(clock, 60);
    pacer.waitForNextTick();
    const int64_t start = clock.now - 16666666;
    for (int i = 0; i < 6000; ++i) {
        clock.advance(MS);
        pacer.waitForNextTick();
    }
    // 6001 ticks after the schedule began: exactly 100 s plus one tick, to the nanosecond.
    EXPECT_EQ(clock.now - start, 100016666666);
}

TEST(FramePacer, ALateFrameIsNotMadeUpWithExtraTicks) {
    FakeClock clock;
    FramePacer pacer(clock, 60);
    pacer.waitForNextTick();
    clock.advance(100 * MS);  // one very slow frame
    pacer.waitForNextTick();
    EXPECT_EQ(pacer.lateFrames(), 1);
    const size_t sleepsBefore = clock.sleeps.size();
    // The next frames are paced a whole tick apart again, not rushed.
    clock.advance(MS);
    pacer.waitForNextTick();
    ASSERT_EQ(clock.sleeps.size(), sleepsBefore + 1);
    EXPECT_EQ(clock.sleeps.back(), 16666666 - MS);
}

TEST(FramePacer, SlowMachinesRunEveryFrameBackToBack) {
    FakeClock clock;
    FramePacer pacer(clock, 60);
    const int frames = framesInOneSecond(clock, pacer, 25 * MS);
    EXPECT_EQ(frames, 40);  // 25 ms a frame: as fast as the machine allows
    EXPECT_GE(pacer.lateFrames(), 38);
}

}  // namespace
