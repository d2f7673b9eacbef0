#include "race/standings.h"

#include "race/lap_clock.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/race.h"

int32_t gRacePosition = 0;
int32_t gFinalPlace = 0;

namespace {
constexpr int32_t POSITION_REFRESH_PERIOD = 10;
}

void updateStandings() {
    if (gFrameCounter % POSITION_REFRESH_PERIOD == 0) {
        gRacePosition = racePosition();
    }
    if (gLapClock.registerLap(gLapClock.elapsedMs(), gPlayer.laps) && gLapClock.finished()) {
        gFinalPlace = racePosition();
    }
}
