#include "session/countdown.h"

#include "race/race_time.h"

namespace {
constexpr int STEP_TICKS = RACE_TICKS_PER_SECOND;
constexpr int FIRST_STEP = 3;
// 3, 2 and 1 each hold the grid for a second; GO shows a second more.
constexpr int HOLD_TICKS = FIRST_STEP * STEP_TICKS;
constexpr int SHOWN_TICKS = HOLD_TICKS + STEP_TICKS;

bool gCounting = false;
// Ticks advanced since the start: the first shows 3, tick HOLD_TICKS + 1 is GO.
int gTicksAdvanced = 0;

// The step shown after this many ticks; before the first, 3 already shows.
int stepAfter(int ticks) {
    const int begun = ticks > 0 ? (ticks - 1) / STEP_TICKS : 0;
    return FIRST_STEP - begun;
}
}  // namespace

void startCountdown() {
    gCounting = true;
    gTicksAdvanced = 0;
}

void stopCountdown() {
    gCounting = false;
    gTicksAdvanced = 0;
}

bool countdownHolds() {
    return gCounting && gTicksAdvanced <= HOLD_TICKS;
}

std::optional<int> advanceCountdown() {
    if (!gCounting) {
        return std::nullopt;
    }
    ++gTicksAdvanced;
    if (gTicksAdvanced > SHOWN_TICKS) {
        stopCountdown();  // GO has had its second
        return std::nullopt;
    }
    if ((gTicksAdvanced - 1) % STEP_TICKS == 0) {
        return stepAfter(gTicksAdvanced);
    }
    return std::nullopt;
}

std::optional<int> countdownShows() {
    if (!gCounting) {
        return std::nullopt;
    }
    return stepAfter(gTicksAdvanced);
}
