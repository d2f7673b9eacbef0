#include "race/race_result.h"

#include <algorithm>

#include "race/lap_clock.h"
#include "race/standings.h"

bool raceIsFinished() {
    return gLapClock.finished();
}

RaceResult raceResult() {
    RaceResult result;
    if (!raceIsFinished()) {
        return result;
    }
    result.place = gFinalPlace;
    std::copy(std::begin(gLapClock.lapMs), std::end(gLapClock.lapMs), result.lapMs);
    result.bestLapMs = std::min({result.lapMs[0], result.lapMs[1], result.lapMs[2]});
    result.raceMs = gLapClock.raceMs();
    return result;
}
