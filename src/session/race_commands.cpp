#include "session/race_commands.h"

#include "audio/sound.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "session/race_records.h"

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
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    lineUpTheGrid();
    forgetOfferedRace();
}

bool pauseOrFinishPanelShows() {
    return raceIsPaused() || raceIsFinished();
}
