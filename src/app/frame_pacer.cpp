#include "app/frame_pacer.h"

#include <chrono>
#include <thread>

int64_t SteadyPacerClock::nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyPacerClock::sleepNanoseconds(int64_t duration) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(duration));
}

FramePacer::FramePacer(PacerClock& clock, int ticksPerSecond)
    : clock_(clock), ticksPerSecond_(ticksPerSecond > 0 ? ticksPerSecond : 1) {}

int64_t FramePacer::deadlineOf(int64_t tick) const {
    // Whole-schedule arithmetic, so 1/60 s never accumulates rounding drift.
    return scheduleStart_ + tick * 1000000000LL / ticksPerSecond_;
}

void FramePacer::waitForNextTick() {
    const int64_t now = clock_.nowNanoseconds();
    if (!started_) {
        started_ = true;
        scheduleStart_ = now;
        ticksSinceStart_ = 0;
    }
    const int64_t deadline = deadlineOf(ticksSinceStart_ + 1);
    if (now >= deadline) {
        // Running late: start a fresh schedule rather than racing to catch up.
        ++lateFrames_;
        scheduleStart_ = now;
        ticksSinceStart_ = 0;
        return;
    }
    ++ticksSinceStart_;
    clock_.sleepNanoseconds(deadline - now);
}
