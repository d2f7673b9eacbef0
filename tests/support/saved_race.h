#pragma once

#include <algorithm>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "race/camera.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/standings.h"

namespace testsupport {

// Everything the race, the HUD and the key commands change from frame to
// frame, saved when made and put back by restore(), so a test that drives the
// race leaves it as it found it.
struct SavedRace {
    Player player = gPlayer;
    Opponent opponents[OPPONENT_COUNT];
    Projectile projectile = gProjectile;
    ExhaustGlow exhaust = gExhaust;
    int32_t frameCounter = gFrameCounter;
    LapClock clock = gLapClock;
    int32_t racePosition = gRacePosition;
    int32_t cockpitView = gCockpitView;
    CameraMode cameraMode = gCameraMode;

    SavedRace() { std::copy(std::begin(gOpponents), std::end(gOpponents), opponents); }
    void restore() const {
        gPlayer = player;
        std::copy(std::begin(opponents), std::end(opponents), gOpponents);
        gProjectile = projectile;
        gExhaust = exhaust;
        gFrameCounter = frameCounter;
        gLapClock = clock;
        gRacePosition = racePosition;
        gCockpitView = cockpitView;
        gCameraMode = cameraMode;
    }
};

}  // namespace testsupport
