#include "shell/frame_rate_meter.h"

namespace {
constexpr int64_t SECOND_NS = 1000000000;
}

void FrameRateMeter::moveOn() {
    const int64_t now = clock_.nowNanoseconds();
    if (!started_) {
        started_ = true;
        secondStart_ = now;
        return;
    }
    const int64_t secondsEnded = (now - secondStart_) / SECOND_NS;
    if (secondsEnded <= 0) {
        return;
    }
    // After a stall the last whole second saw nothing at all.
    const bool stalled = secondsEnded > 1;
    lastFrames_ = stalled ? 0.0 : static_cast<double>(frames_);
    lastTicks_ = stalled ? 0.0 : static_cast<double>(ticks_);
    frames_ = 0;
    ticks_ = 0;
    secondStart_ += secondsEnded * SECOND_NS;
}

void FrameRateMeter::countTicks(int ticks) {
    moveOn();
    ticks_ += ticks;
}

void FrameRateMeter::countFrame() {
    moveOn();
    ++frames_;
}
