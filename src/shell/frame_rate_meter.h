#pragma once

#include <cstdint>

#include "shell/loop_pacer.h"

// Counts the frames drawn and the race's ticks run, a whole second at a time
// on the loop's clock, and tells the counts of the last whole second: a
// steady figure that changes once a second, not a flicker from frame to frame.
class FrameRateMeter {
public:
    explicit FrameRateMeter(PacerClock& clock) : clock_(clock) {}

    void countTicks(int ticks);
    void countFrame();

    // Zero until a whole second has gone by.
    double framesPerSecond() const { return lastFrames_; }
    double ticksPerSecond() const { return lastTicks_; }

private:
    // Closes the seconds that have ended by now.
    void moveOn();

    PacerClock& clock_;
    bool started_ = false;
    int64_t secondStart_ = 0;
    int64_t frames_ = 0;
    int64_t ticks_ = 0;
    double lastFrames_ = 0.0;
    double lastTicks_ = 0.0;
};
