#pragma once

#include <cstdint>

// The clock the pacer reads and sleeps on; tests inject a fake one.
class PacerClock {
public:
    virtual ~PacerClock() = default;
    virtual int64_t nowNanoseconds() = 0;
    virtual void sleepNanoseconds(int64_t duration) = 0;
};

// The machine's monotonic clock.
class SteadyPacerClock : public PacerClock {
public:
    int64_t nowNanoseconds() override;
    void sleepNanoseconds(int64_t duration) override;
};

// Holds the main loop to a fixed number of ticks per second. Every speed in the
// game advances by a fixed amount per frame, so the pace is the game's speed.
// A late frame is not made up with extra ticks: the schedule restarts from now.
class FramePacer {
public:
    FramePacer(PacerClock& clock, int ticksPerSecond);

    // Call once after each frame: sleeps until the next tick is due.
    void waitForNextTick();

    int64_t lateFrames() const { return lateFrames_; }

private:
    int64_t deadlineOf(int64_t tick) const;

    PacerClock& clock_;
    int ticksPerSecond_;
    bool started_ = false;
    int64_t scheduleStart_ = 0;
    int64_t ticksSinceStart_ = 0;
    int64_t lateFrames_ = 0;
};

constexpr int GAME_TICKS_PER_SECOND = 60;
