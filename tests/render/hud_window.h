#pragma once

#include <algorithm>

#include "app/app_state.h"
#include "assets/bitmap.h"
#include "race/camera.h"
#include "race/exhaust_glow.h"
#include "race/lap_clock.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/projectile.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/hud.h"
#include "render/overlay.h"
#include "support/test_display.h"

namespace hudtest {

// Everything the race and the HUD change from frame to frame.
struct RaceSnapshot {
    Player player = gPlayer;
    Opponent opponents[OPPONENT_COUNT];
    Projectile projectile = gProjectile;
    ExhaustGlow exhaust = gExhaust;
    int32_t frameCounter = gFrameCounter;
    LapClock clock = gLapClock;
    int32_t racePosition = gRacePosition;
    int32_t cockpitView = gCockpitView;
    CameraMode cameraMode = gCameraMode;

    RaceSnapshot() { std::copy(std::begin(gOpponents), std::end(gOpponents), opponents); }
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

}  // namespace hudtest
