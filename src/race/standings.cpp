#include "race/standings.h"

#include "craft/opponent.h"
#include "craft/player.h"
#include "race/lap_clock.h"

int32_t gRacePosition = 0;
int32_t gFinalPlace = 0;
SeasonPlaces gFinishingPlaces{};

namespace {
constexpr int32_t POSITION_REFRESH_PERIOD = 10;
}

void updateStandings(int32_t frameCounter) {
    if (frameCounter % POSITION_REFRESH_PERIOD == 0) {
        gRacePosition = racePosition();
    }
    if (gLapClock.registerLap(gLapClock.elapsedMs(), gPlayer.laps) && gLapClock.finished()) {
        gFinalPlace = racePosition();
        std::array<DriverAtFinish, SEASON_DRIVERS> drivers{};
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            drivers[i + 1] = {raceDistance(gOpponents[i].laps, gOpponents[i].lambda),
                              gOpponents[i].destroyed != 0};
        }
        gFinishingPlaces = finishingPlaces(gFinalPlace, drivers);
    }
}

void resetStandings() {
    gRacePosition = 0;
    gFinalPlace = 0;
    gFinishingPlaces = SeasonPlaces{};
}
