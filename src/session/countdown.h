// session: the 3-2-1-GO that holds a time trial on its grid, counted in race ticks.
#pragma once

#include <optional>

// The race lined up now waits for 3-2-1-GO.
void startCountdown();
// No countdown: a race, a replay watched, a new grid lined up.
void stopCountdown();
// True while 3, 2 or 1 shows: the race must not step.
bool countdownHolds();
// One loop tick, called once per race tick while the race is not paused, so
// a pause holds the countdown where it stands. Returns the step that has
// just begun on this tick (3, 2, 1, or 0 for GO), for its sound. GO begins on
// the tick the race first moves.
std::optional<int> advanceCountdown();
// 3, 2 or 1 while holding; 0 (GO) for one second after; none otherwise.
std::optional<int> countdownShows();
