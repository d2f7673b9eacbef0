#include "race/race_time.h"

int32_t gFrameCounter = 0;
int64_t gRaceTicks = 0;
int32_t gRaceStarts = 0;
int32_t gTicksThisRace = 0;

uint32_t raceMilliseconds() {
    return static_cast<uint32_t>(int64_t{gTicksThisRace} * 1000 / RACE_TICKS_PER_SECOND);
}
