#include "race/standings.h"

#include "race/lap_clock.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/race.h"

int32_t gRacePosition = 0;

namespace {
constexpr int32_t POSITION_REFRESH_PERIOD = 10;
}

void updateStandings() {
    if (gFrameCounter % POSITION_REFRESH_PERIOD == 0) {
        gRacePosition = racePosition();
    }
    gLapClock.registerLap(gLapClock.elapsedMs(), gPlayer.laps);
}
