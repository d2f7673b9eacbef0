#include "saves/race_mode.h"

const char* raceModeName(RaceMode mode) {
    return mode == RaceMode::TimeTrial ? "time trial" : "race";
}
