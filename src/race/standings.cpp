#include "race/standings.h"

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/lap_clock.h"

int32_t gRacePosition = 0;
int32_t gFinalPlace = 0;

namespace {
constexpr int32_t POSITION_REFRESH_PERIOD = 10;
}

void updateStandings(int32_t frameCounter) {
    if (frameCounter % POSITION_REFRESH_PERIOD == 0) {
        gRacePosition = racePosition();
    }
    if (gLapClock.registerLap(gLapClock.elapsedMs(), gPlayer.laps) && gLapClock.finished()) {
        gFinalPlace = racePosition();
    }
}

void resetStandings() {
    gRacePosition = 0;
    gFinalPlace = 0;
}
