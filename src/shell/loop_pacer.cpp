#include "shell/loop_pacer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {
constexpr int64_t SECOND = 1000000000;
// Keeping step, a frame runs one tick while the clock is within three
// quarters of a tick of it either way; only beyond that does it run two, or
// none. After each correction the clock is a quarter tick from the edge.
constexpr double STEP_SLACK = 0.75;
// Frames watched before deciding whether the display's refresh holds them.
constexpr int FRAMES_TO_CHECK = 30;
}  // namespace

int64_t SteadyPacerClock::nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SteadyPacerClock::sleepNanoseconds(int64_t duration) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(duration));
}

LoopPacer::LoopPacer(PacerClock& clock, int ticksPerSecond, DrawPacing pacing)
    : clock_(clock),
      ticksPerSecond_(ticksPerSecond > 0 ? ticksPerSecond : 1),
      pacing_(pacing),
      keepsStep_(pacing.drawsPerSecond == ticksPerSecond_) {
    if (pacing_.drawsPerSecond <= 0) {
        pacing_.drawsPerSecond = ticksPerSecond_;
        keepsStep_ = true;
    }
}

int64_t LoopPacer::tickTime(int64_t tick) const {
    // Whole-schedule arithmetic, so 1/60 s never accumulates rounding drift.
    return start_ + (tick + skippedTicks_) * SECOND / ticksPerSecond_;
}

double LoopPacer::ticksBehind(int64_t now) const {
    const int64_t scaled = (now - start_) * ticksPerSecond_;
    const int64_t whole = scaled / SECOND;
    const double part = static_cast<double>(scaled % SECOND) / SECOND;
    // Tick 0 is due at the start itself.
    return static_cast<double>(whole + 1 - skippedTicks_ - ticksRun_) + part;
}

int LoopPacer::takeDueTicks() {
    const int64_t now = clock_.nowNanoseconds();
    if (!started_) {
        started_ = true;
        start_ = now;
    }
    const double behind = ticksBehind(now);
    int64_t due = 0;
    if (keepsStep_) {
        if (behind > 1.0 + STEP_SLACK) {
            due = std::llround(behind);
        } else if (behind >= 1.0 - STEP_SLACK) {
            due = 1;
        }
    } else {
        due = static_cast<int64_t>(std::floor(behind));
    }
    if (due > MAX_CATCH_UP_TICKS) {
        // The ticks past the few caught up are given up: the race stood still.
        droppedTicks_ += due - MAX_CATCH_UP_TICKS;
        skippedTicks_ += due - MAX_CATCH_UP_TICKS;
        due = MAX_CATCH_UP_TICKS;
    }
    ticksRun_ += due;
    blend_ = keepsStep_ ? 1.0 : std::clamp(ticksBehind(now), 0.0, 1.0);
    return static_cast<int>(due);
}

void LoopPacer::checkTheDisplayWaits(int64_t now) {
    if (shownBefore_ && framesChecked_ < FRAMES_TO_CHECK) {
        ++framesChecked_;
        const int64_t refresh = SECOND / pacing_.drawsPerSecond;
        if (now - lastShown_ < refresh / 2) {
            ++framesFasterThanDisplay_;
        }
        if (framesChecked_ == FRAMES_TO_CHECK && framesFasterThanDisplay_ > FRAMES_TO_CHECK / 2) {
            pacing_.displayWaits = false;  // the driver took the request and ignored it
        }
    }
    lastShown_ = now;
    shownBefore_ = true;
}

void LoopPacer::waitForNextDraw() {
    const int64_t now = clock_.nowNanoseconds();
    if (pacing_.displayWaits) {
        checkTheDisplayWaits(now);
        if (pacing_.displayWaits) {
            return;
        }
    }
    if (keepsStep_) {
        // The next frame comes with the next tick.
        const int64_t next = tickTime(ticksRun_);
        if (next > now) {
            clock_.sleepNanoseconds(next - now);
        }
        return;
    }
    if (!drawScheduleStarted_) {
        drawScheduleStarted_ = true;
        drawStart_ = now;
        drawsSinceStart_ = 0;
    }
    const int64_t deadline = drawStart_ + (drawsSinceStart_ + 1) * SECOND / pacing_.drawsPerSecond;
    if (now >= deadline) {
        // A late frame is not followed by a rush of frames: drawing goes on from now.
        ++lateDraws_;
        drawStart_ = now;
        drawsSinceStart_ = 0;
        return;
    }
    ++drawsSinceStart_;
    clock_.sleepNanoseconds(deadline - now);
}

void LoopPacer::skipTheTicksWaited() {
    if (!started_) {
        return;
    }
    // All but the one due now, which the next frame runs as usual.
    const int64_t due = std::llround(ticksBehind(clock_.nowNanoseconds()));
    if (due > 1) {
        skippedTicks_ += due - 1;
    }
    drawScheduleStarted_ = false;
}
