#include "session/race_commands.h"

#include "audio/sound.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "session/countdown.h"
#include "session/ghost.h"
#include "session/pilot_race.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "session/replay_watch.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
RaceMode gChosenMode = RaceMode::Race;
bool gWatchingThePilot = false;

// Before the grid: what a race of the chosen mode runs unseen first (the
// pilot for the medal times, the ghost's own race).
bool runWhatComesBeforeTheGrid() {
    bool ran = false;
    if (gChosenMode == RaceMode::TimeTrial) {
        ran = medalTimesOf(gTrack.circuitNumber()).has_value();
    }
    return prepareGhost(gChosenMode) || ran;
}

void lineUpTheChosenRace() {
    lineUpTheGrid(RACE_SEED, gChosenMode);
    forgetOfferedRace();
    if (gChosenMode == RaceMode::TimeTrial) {
        startCountdown();
    }
}

void resumeTheRace() {
    resumeRace();
    resumeRaceSounds();
}
}  // namespace

void togglePause() {
    if (raceIsPaused()) {
        resumeTheRace();
    } else {
        pauseTheRace();
    }
}

void pauseTheRace() {
    if (!raceIsPaused()) {
        pauseRace();
        pauseRaceSounds();
    }
}

void raceAgain() {
    stopCountdown();
    keepRecordedRace();  // the race left behind is the last one run
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    runWhatComesBeforeTheGrid();  // the best race may be the one just run
    lineUpTheChosenRace();
}

void chooseRaceMode(RaceMode mode) {
    gChosenMode = mode;
}

RaceMode chosenRaceMode() {
    return gChosenMode;
}

bool lineUpTheFirstRace() {
    if (runWhatComesBeforeTheGrid() || gChosenMode != raceMode()) {
        lineUpTheChosenRace();
        return true;
    }
    if (gChosenMode == RaceMode::TimeTrial) {
        startCountdown();
    }
    return false;
}

void watchThePilot(uint32_t circuit) {
    stopCountdown();
    keepRecordedRace();
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    raceOnCircuit(circuit);
    const Replay& run = pilotRunOf(circuit);
    watchReplay(run);
    lineUpTheGrid(run.seed, run.mode);
    watchFromTheStart();
    gWatchingThePilot = true;
}

bool watchingThePilot() {
    return gWatchingThePilot && watchingReplay();
}

bool stopWatchingThePilot() {
    if (!watchingThePilot()) {
        return false;
    }
    gWatchingThePilot = false;
    stopWatchingReplay();
    raceAgain();
    return true;
}

void raceNextCircuit() {
    if (!pauseOrFinishPanelShows()) {
        return;
    }
    raceCircuit(gTrack.circuitNumber() + 1);  // wraps to the classic after the last
}

void raceCircuit(uint32_t number) {
    raceOnCircuit(number);
    raceAgain();
}

bool pauseOrFinishPanelShows() {
    return raceIsPaused() || raceIsFinished();
}
