#pragma once

#include <cstdint>

// A finished race, as the finish panel tells it.
struct RaceResult {
    int32_t place = 0;  // 1..6, taken as the third lap registered
    uint32_t lapMs[3] = {0, 0, 0};
    uint32_t bestLapMs = 0;  // the fastest of the three
    uint32_t raceMs = 0;     // the three added up: where the clock stopped
};

// True once the player's third lap is in.
bool raceIsFinished();

// The race just run; all zero while it is still on.
RaceResult raceResult();
