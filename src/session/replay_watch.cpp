#include "session/replay_watch.h"

#include "race/race.h"
#include "session/race_recording.h"

namespace {
bool gWatching = false;
Replay gWatched;
uint32_t gTick = 0;
bool gFast = false;

// The replay's grid again, then its first ticks run unseen up to tick. Its
// colours are the ones the grid was first drawn in: the seed is the same.
void runFromTheGridTo(uint32_t tick) {
    const bool paused = raceIsPaused();
    startRace(gWatched.seed, gWatched.mode, gWatched.difficulty);
    for (gTick = 0; gTick < tick; ++gTick) {
        stepRace(keysOf(gWatched.controls[gTick]));
    }
    if (paused) {
        pauseRace();
    }
}
}  // namespace

void watchReplay(const Replay& replay) {
    gWatching = true;
    gWatched = replay;
    gTick = 0;
    gFast = false;
}

bool watchingReplay() {
    return gWatching;
}

void stopWatchingReplay() {
    gWatching = false;
    gFast = false;
}

RaceSounds stepWatchedRace() {
    if (gTick >= gWatched.controls.size()) {
        return RaceSounds();  // its end: no tick moves it on
    }
    if (raceIsPaused()) {
        return stepRace(KeyboardInput());  // stands still, as a paused race does
    }
    return stepRace(keysOf(gWatched.controls[gTick++]));
}

uint32_t watchedSeed() {
    return gWatched.seed;
}

RaceMode watchedMode() {
    return gWatched.mode;
}

Difficulty watchedDifficulty() {
    return gWatched.difficulty;
}

uint32_t watchedTick() {
    return gTick;
}

uint32_t watchedTicks() {
    return static_cast<uint32_t>(gWatched.controls.size());
}

void toggleWatchFastForward() {
    gFast = !gFast;
}

bool watchFastForward() {
    return gFast;
}

void watchBack(uint32_t ticks) {
    runFromTheGridTo(gTick > ticks ? gTick - ticks : 0);
}

void watchFromTheStart() {
    resumeRace();
    runFromTheGridTo(0);
}
