#include "race/race.h"

#include <cstdlib>

#include "race/exhaust_glow.h"
#include "race/lap_clock.h"
#include "race/opponent.h"
#include "race/projectile.h"
#include "race/standings.h"

int32_t gFrameCounter = 0;

namespace {
constexpr int LANE_COUNT = 100;
constexpr int32_t EXHAUST_UPDATE_PERIOD = 3;
}  // namespace

void startRace() {
    // The draws are made here and nowhere else, opponent by opponent (start
    // values, lane, colours), so every race lines up the same grid.
    for (Opponent& opponent : gOpponents) {
        opponent.init();
        opponent.position = Vector3();  // placed by its first update
        opponent.lane = std::rand() % LANE_COUNT;
        opponent.model.randomizeColors();
    }
    placePlayerOnStartLine(gPlayer);
    gProjectile = Projectile();
    gExhaust = ExhaustGlow();
    resetStandings();
    gFrameCounter = 0;
    gLapClock.start();
}

// The clock is the one record of the pause: it has to know, to leave the
// paused time out.
void pauseRace() {
    gLapClock.pause();
}

void resumeRace() {
    gLapClock.resume();
}

bool raceIsPaused() {
    return gLapClock.paused;
}

void moveTheWorld() {
    if (raceIsPaused()) {
        return;
    }
    updateOpponents();
    if (gFrameCounter % EXHAUST_UPDATE_PERIOD == 0) {
        gExhaust.update(gPlayer);
    }
    gProjectile.update();
    updatePlayerProgress(gPlayer);
    applyNearWallDrag();
}

RaceSounds finishThePlayersTurn(const KeyboardInput& keys) {
    RaceSounds sounds;
    if (raceIsPaused()) {
        return sounds;
    }
    stepKeyboard(keys, sounds);
    updateStandings(gFrameCounter);
    gFrameCounter = (gFrameCounter + 1) % FRAME_COUNTER_MODULUS;
    return sounds;
}

RaceSounds stepRace(const KeyboardInput& keys) {
    moveTheWorld();
    return finishThePlayersTurn(keys);
}
