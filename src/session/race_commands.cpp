#include "session/race_commands.h"

#include "audio/sound.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "session/countdown.h"
#include "session/ghost.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
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
    stopCountdown();     // a time trial starts its own once its grid is lined up
    keepRecordedRace();  // the race left behind is the last one run
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    prepareGhost();  // the best race may be the one just run
    lineUpTheGrid();
    forgetOfferedRace();
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
