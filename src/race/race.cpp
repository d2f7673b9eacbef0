#include "race/race.h"

#include <cstdlib>

#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player_control.h"
#include "craft/projectile.h"
#include "race/lap_clock.h"
#include "race/race_pose.h"
#include "race/standings.h"
#include "race/wrong_way.h"

namespace {
constexpr int LANE_COUNT = 100;
constexpr int32_t EXHAUST_UPDATE_PERIOD = 3;
RaceMode gRaceMode = RaceMode::Race;
Difficulty gRaceDifficulty = Difficulty::Normal;
}  // namespace

void startRace(uint32_t seed, RaceMode mode, Difficulty difficulty) {
    gRaceMode = mode;
    gRaceDifficulty = difficulty;
    gOpponentPacing = pacingFor(difficulty);
    std::srand(seed);
    // The draws are made here and nowhere else, opponent by opponent (start
    // values, lane, colours), so every race lines up the same grid.
    for (Opponent& opponent : gOpponents) {
        opponent.init();
        opponent.position = Vector3();
        opponent.lane = std::rand() % LANE_COUNT;
        opponent.model.randomizeColors();
        // Out of the race as a wreck is: not drawn, touched, hit or counted.
        opponent.destroyed = mode == RaceMode::TimeTrial ? 1 : 0;
    }
    // Seen on the grid through a countdown; the first tick places them anew.
    for (Opponent& opponent : gOpponents) {
        opponent.placeOnTrack();
    }
    placePlayerOnStartLine(gPlayer);
    gProjectile = Projectile();
    gExhaust = ExhaustGlow();
    resetStandings();
    gFrameCounter = 0;
    gTicksThisRace = 0;
    ++gRaceStarts;
    gRacePoses.clear();  // until the first tick, the picture is the grid itself
    gWrongWay.reset();
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

RaceMode raceMode() {
    return gRaceMode;
}

Difficulty raceDifficulty() {
    return gRaceDifficulty;
}

bool raceIsPaused() {
    return gLapClock.paused;
}

namespace {
// The world moves: opponents, exhaust glow, shot, the craft's place on the
// track and the drag near the wall.
void moveTheWorld() {
    if (raceIsPaused()) {
        return;
    }
    if (gRaceMode == RaceMode::Race) {
        updateOpponents();
    }
    if (gFrameCounter % EXHAUST_UPDATE_PERIOD == 0) {
        gExhaust.update(gPlayer);
    }
    gProjectile.update();
    gWrongWay.update(updatePlayerProgress(gPlayer));
    applyNearWallDrag();
}

// The control step answers the picture the player saw, the standings and
// laps are taken, and the frame is counted.
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

}  // namespace

RaceSounds stepRace(const KeyboardInput& keys) {
    const bool moving = !raceIsPaused();
    moveTheWorld();
    gRacePoses.record(captureRacePose());
    const RaceSounds sounds = finishThePlayersTurn(keys);
    ++gRaceTicks;
    if (moving) {
        ++gTicksThisRace;
    }
    return sounds;
}
