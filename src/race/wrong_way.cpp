#include "race/wrong_way.h"

namespace {
// At full speed on the shortest lap a craft covers a little less than one
// step of the progress grid in a tick, so its nearest sample moves one step
// at most: a larger jump is the craft put down elsewhere, not flown.
constexpr double LARGEST_STEP = 1.5 * PROGRESS_STEP;
}  // namespace

WrongWayWatch gWrongWay;

void WrongWayWatch::reset() {
    *this = WrongWayWatch();
}

void WrongWayWatch::update(double lambda) {
    double step = lambda - lastLambda_;
    // Across the start line lambda jumps by a lap.
    if (step > TRACK_PERIOD / 2.0) {
        step -= TRACK_PERIOD;
    } else if (step < -TRACK_PERIOD / 2.0) {
        step += TRACK_PERIOD;
    }
    const bool putDown = !placed_ || step > LARGEST_STEP || step < -LARGEST_STEP;
    placed_ = true;
    lastLambda_ = lambda;
    if (putDown || step > 0.0) {
        backwards_ = 0.0;
        runTicks_ = 0;
        wrongWay_ = false;
        return;
    }
    // Standing still on a sample between steps back keeps the run going.
    if (step < 0.0 || runTicks_ > 0) {
        backwards_ -= step;
        ++runTicks_;
    }
    if (runTicks_ >= WRONG_WAY_TICKS && backwards_ >= WRONG_WAY_LEAST_TRAVEL) {
        wrongWay_ = true;
    }
}
