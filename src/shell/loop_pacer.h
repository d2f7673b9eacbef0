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

// How often the loop draws, and what holds it to that.
struct DrawPacing {
    int drawsPerSecond = 60;
    // The buffer swap waits for the display's refresh, so the loop need not
    // sleep. If the swaps come back much faster than the refresh anyway, the
    // pacer finds out and sleeps after all.
    bool displayWaits = false;
};

// The loop's two clocks. The race ticks a fixed number of times a second on
// the monotonic clock, whatever the drawing does: a late frame is followed
// by the ticks it missed, but never more than MAX_CATCH_UP_TICKS at once, so
// a stalled machine pauses the race instead of spiralling. Frames are drawn
// at the draw rate; between ticks the picture is blended between the last
// two ticks. When frames and ticks come at the same rate, each frame shows
// its own tick, and small wobbles of the display's timing never make a frame
// run two ticks or none.
class LoopPacer {
public:
    static constexpr int MAX_CATCH_UP_TICKS = 8;

    LoopPacer(PacerClock& clock, int ticksPerSecond, DrawPacing pacing);

    // Before each frame: how many ticks of the race to run now.
    int takeDueTicks();
    // Where this frame's picture lies between the last two ticks: 0 is the
    // tick before the latest, 1 the latest. Always 1 when ticks and frames
    // keep step.
    double drawBlend() const { return blend_; }
    // After each frame is shown: sleeps until the next one is due, unless the
    // display's refresh already held the frame back.
    void waitForNextDraw();
    // After the loop waited on events instead (a still pause): the ticks due
    // meanwhile are never run, so the race does not rush on the wait's worth
    // when it goes on, and the frames are drawn on from now.
    void skipTheTicksWaited();

    bool keepsStep() const { return keepsStep_; }
    bool displayPaces() const { return pacing_.displayWaits; }
    int64_t droppedTicks() const { return droppedTicks_; }
    int64_t lateDraws() const { return lateDraws_; }

private:
    int64_t tickTime(int64_t tick) const;
    // Ticks the clock says are due by now, fractional, less those run.
    double ticksBehind(int64_t now) const;
    void checkTheDisplayWaits(int64_t now);

    PacerClock& clock_;
    int ticksPerSecond_;
    DrawPacing pacing_;
    bool keepsStep_;

    bool started_ = false;
    int64_t start_ = 0;         // when tick 0 was due
    int64_t ticksRun_ = 0;      // ticks run since start_
    int64_t droppedTicks_ = 0;  // ticks given up after stalls, never run
    int64_t skippedTicks_ = 0;  // those and the ticks waited out
    double blend_ = 1.0;

    bool drawScheduleStarted_ = false;
    int64_t drawStart_ = 0;
    int64_t drawsSinceStart_ = 0;
    int64_t lateDraws_ = 0;

    bool shownBefore_ = false;
    int64_t lastShown_ = 0;
    int framesChecked_ = 0;
    int framesFasterThanDisplay_ = 0;
};
