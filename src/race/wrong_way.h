#pragma once

#include <cstdint>

#include "track/track.h"

// How long, in ticks, the craft must have gone backwards along the track
// before it is told: about a second.
constexpr int32_t WRONG_WAY_TICKS = 60;
// How far back along the track (in track parameter) that run must reach: more
// than one step of the progress grid, so two steps, some 3000 units on the
// classic. A nudge back by a wall or an opponent, or reversing off the grid,
// is never taken for it.
constexpr double WRONG_WAY_LEAST_TRAVEL = 1.5 * PROGRESS_STEP;

// Watches the craft's place along the track tick by tick for a run
// backwards: one that has lasted WRONG_WAY_TICKS and reached back
// WRONG_WAY_LEAST_TRAVEL with no step forwards in it. It is told until the
// craft next moves forwards.
class WrongWayWatch {
public:
    // A new race, or the craft put down somewhere: its next place is the
    // one the watch starts from.
    void reset();
    // The craft's lambda after this tick's progress update.
    void update(double lambda);
    bool wrongWay() const { return wrongWay_; }

private:
    bool placed_ = false;
    double lastLambda_ = 0.0;
    double backwards_ = 0.0;  // how far back the run has gone
    int32_t runTicks_ = 0;    // ticks since its first step back
    bool wrongWay_ = false;
};

extern WrongWayWatch gWrongWay;
