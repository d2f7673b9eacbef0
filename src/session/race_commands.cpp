#include "session/race_commands.h"

#include <optional>

#include "audio/sound.h"
#include "race/race.h"
#include "race/race_result.h"
#include "render/scene.h"
#include "session/countdown.h"
#include "session/final_stretch_aid.h"
#include "session/ghost.h"
#include "session/pilot_race.h"
#include "session/race_recording.h"
#include "session/race_records.h"
#include "session/replay_watch.h"
#include "session/season.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
RaceMode gChosenRaceMode = RaceMode::Race;
Difficulty gChosenDifficulty = Difficulty::Normal;
bool gWatchingThePilot = false;
std::optional<uint32_t> gChampionshipAtStart;

// A season's races are races at the season's difficulty.
RaceMode modeToLineUp() {
    return seasonNow() != nullptr ? RaceMode::Race : gChosenRaceMode;
}

Difficulty difficultyToLineUp() {
    return seasonNow() != nullptr ? seasonNow()->difficulty : gChosenDifficulty;
}

// Before the grid: what a race of the chosen mode runs unseen first (the
// pilot for the medal times, the ghost's own race).
bool runWhatComesBeforeTheGrid() {
    bool ran = false;
    if (modeToLineUp() == RaceMode::TimeTrial) {
        ran = medalTimesOf(gTrack.circuitNumber()).has_value();
    }
    return prepareGhost(modeToLineUp(), difficultyToLineUp()) || ran;
}

// A time trial and every race of a season wait for the countdown.
void lineUpTheChosenRace() {
    lineUpTheGrid(RACE_SEED, modeToLineUp(), difficultyToLineUp());
    forgetOfferedRace();
    if (modeToLineUp() == RaceMode::TimeTrial || seasonNow() != nullptr) {
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
    // On a season's standings, racing again is racing on.
    if (standingsShow()) {
        goOnFromTheStandings();
        return;
    }
    stopCountdown();
    keepRecordedRace();  // the race left behind is the last one run
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    runWhatComesBeforeTheGrid();  // the best race may be the one just run
    lineUpTheChosenRace();
}

void chooseRaceMode(RaceMode mode) {
    leaveChampionship();
    gChosenRaceMode = mode;
}

void chooseDifficulty(Difficulty difficulty) {
    gChosenDifficulty = difficulty;
}

Difficulty chosenDifficulty() {
    return gChosenDifficulty;
}

void startWithChampionship(uint32_t number) {
    gChampionshipAtStart = number;
}

namespace {
// The season's next race from its grid, after its countdown.
void raceTheSeasonOn() {
    seasonRaceLinedUp();
    raceCircuit(*seasonsNextCircuit());
    applyFinalStretchAid();  // the tests' aid shortens every race of a season
}
}  // namespace

void startChampionship(uint32_t number) {
    beginSeason(number, gChosenDifficulty);
    raceTheSeasonOn();
}

void goOnWithKeptChampionship() {
    if (beginKeptSeason()) {
        raceTheSeasonOn();
    }
}

void goOnFromTheStandings() {
    if (!standingsShow()) {
        return;
    }
    if (!seasonsNextCircuit()) {
        leaveChampionship();  // over: its result is kept, and the game races on
        raceAgain();
        return;
    }
    raceTheSeasonOn();
}

RaceMode chosenRaceMode() {
    return gChosenRaceMode;
}

bool lineUpTheFirstRace() {
    if (gChampionshipAtStart) {
        startChampionship(*gChampionshipAtStart);
        return true;
    }
    if (runWhatComesBeforeTheGrid() || gChosenRaceMode != raceMode()) {
        lineUpTheChosenRace();
        return true;
    }
    if (gChosenRaceMode == RaceMode::TimeTrial) {
        startCountdown();
    }
    return false;
}

void watchThePilot(uint32_t circuit) {
    leaveChampionship();
    stopCountdown();
    keepRecordedRace();
    if (raceIsPaused()) {
        resumeRaceSounds();
    }
    raceOnCircuit(circuit);
    const Replay& run = pilotRunOf(circuit);
    watchReplay(run);
    lineUpTheGrid(run.seed, run.mode, run.difficulty);
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
    // A season's circuits come in its own order.
    if (!pauseOrFinishPanelShows() || seasonNow() != nullptr) {
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
