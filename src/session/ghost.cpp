#include "session/ghost.h"

#include <cmath>
#include <vector>

#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_time.h"
#include "saves/data_home.h"
#include "session/best_replay.h"
#include "session/pilot_race.h"
#include "session/race_recording.h"
#include "session/replay_run.h"
#include "track/track.h"

namespace {
struct Ghost {
    bool present = false;
    uint32_t circuit = 0;
    RaceMode mode = RaceMode::Race;
    Difficulty difficulty = Difficulty::Normal;
    uint64_t finalStateHash = 0;
    uint32_t raceMs = 0;
    uint32_t lapMs[3] = {};
    // The craft as drawn at each tick: the grid, then after every tick run.
    std::vector<CraftPose> path;
};

Ghost gGhost;
bool gHidden = false;
bool gPilotsGhost = false;
std::optional<Replay> gChosenRun;  // a world board's run, flown instead

void forgetGhost() {
    gGhost = Ghost();
}

bool sameRace(const Ghost& ghost, const Replay& replay) {
    return ghost.present && ghost.circuit == replay.circuit && ghost.mode == replay.mode &&
           ghost.difficulty == replay.difficulty && ghost.finalStateHash == replay.finalStateHash &&
           ghost.raceMs == replay.raceMs && ghost.path.size() == replay.controls.size() + 1;
}

void flyGhost(const Replay& best, const std::string& whose) {
    Ghost ghost;
    ghost.circuit = best.circuit;
    ghost.mode = best.mode;
    ghost.difficulty = best.difficulty;
    ghost.finalStateHash = best.finalStateHash;
    ghost.raceMs = best.raceMs;
    ghost.path.reserve(best.controls.size() + 1);
    startRace(best.seed, best.mode, best.difficulty);
    ghost.path.push_back(playerPoseOf(captureRacePose()));
    const ReplayRun run =
        runReplay(best, [&ghost] { ghost.path.push_back(playerPoseOf(gRacePoses.at(1.0))); });
    if (!run.matches) {
        sayReplayProblem(whose + " for " + circuitName(best.circuit) +
                         " does not run the same in this game; no ghost flies");
        return;
    }
    for (int lap = 0; lap < 3; ++lap) {
        ghost.lapMs[lap] = run.lapMs[lap];
    }
    ghost.present = true;
    gGhost = std::move(ghost);
}

// The clock's reading at the end of a lap: the laps up to it added up.
uint32_t timeAtLine(const uint32_t lapMs[3], int lap) {
    uint32_t ms = 0;
    for (int i = 0; i <= lap; ++i) {
        ms += lapMs[i];
    }
    return ms;
}

int32_t gapAtLine(int lap) {
    return static_cast<int32_t>(timeAtLine(gLapClock.lapMs, lap)) -
           static_cast<int32_t>(timeAtLine(gGhost.lapMs, lap));
}

// The race the ghost flies for a race of mode on the circuit raced now.
KeptBest ghostRaceFor(RaceMode mode, Difficulty difficulty) {
    const uint32_t circuit = gTrack.circuitNumber();
    KeptBest best;
    if (gChosenRun && mode == RaceMode::TimeTrial && gChosenRun->circuit == circuit) {
        best.replay = gChosenRun;
        return best;
    }
    if (gPilotsGhost && mode == RaceMode::TimeTrial) {
        best.replay = pilotRunOf(circuit);
        return best;
    }
    const std::string folder = zentrixReplayFolder();
    return folder.empty() ? best : readKeptBest(folder, circuit, mode, difficulty);
}
}  // namespace

bool prepareGhost(RaceMode mode, Difficulty difficulty) {
    if (!keepingReplays()) {
        return false;
    }
    const uint32_t circuit = gTrack.circuitNumber();
    const KeptBest best = ghostRaceFor(mode, difficulty);
    if (!best.replay || best.replay->circuit != circuit || best.replay->mode != mode ||
        (mode == RaceMode::Race && best.replay->difficulty != difficulty) ||
        best.replay->raceMs == 0) {
        forgetGhost();
        return false;
    }
    if (sameRace(gGhost, *best.replay)) {
        return false;  // flown already: its path is kept
    }
    forgetGhost();
    flyGhost(*best.replay,
             gChosenRun && mode == RaceMode::TimeTrial && gChosenRun->circuit == circuit
                 ? "the world board's run"
                 : "the best race kept");
    return true;
}

void toggleGhost() {
    gHidden = !gHidden;
}

bool ghostShows() {
    return !gHidden;
}

bool hasGhost() {
    if (gGhost.present) {
        return true;
    }
    const std::optional<KeptRace> kept = lastBestRaceKept();
    return kept && *kept == KeptRace{gTrack.circuitNumber(), raceMode(), raceDifficulty()};
}

void flyThePilotsGhost(bool pilots) {
    gPilotsGhost = pilots;
    gChosenRun.reset();
}

void flyThisRunAsTheGhost(const Replay& run) {
    gPilotsGhost = false;
    gChosenRun = run;
}

bool aChosenRunFlies() {
    return gChosenRun.has_value();
}

bool thePilotsGhostFlies() {
    return gPilotsGhost;
}

std::optional<CraftPose> ghostPoseNow(double blend) {
    const size_t latest = static_cast<size_t>(gTicksThisRace);
    if (!gGhost.present || gHidden || latest >= gGhost.path.size()) {
        return std::nullopt;
    }
    // Paused, the picture stands on the latest tick; so does the ghost.
    if (latest == 0 || raceIsPaused() || blend >= 1.0) {
        return gGhost.path[latest];
    }
    return blendCraftPoses(gGhost.path[latest - 1], gGhost.path[latest], std::fmax(blend, 0.0));
}

std::optional<int32_t> ghostLapGapNow() {
    if (!gGhost.present) {
        return std::nullopt;
    }
    for (int lap = 2; lap >= 0; --lap) {
        if (gLapClock.lapMs[lap] != 0) {
            const uint32_t sinceLine = raceMilliseconds() - timeAtLine(gLapClock.lapMs, lap);
            if (sinceLine < GHOST_GAP_SHOWS_MS) {
                return gapAtLine(lap);
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> ghostFinishGap() {
    if (!gGhost.present || !gLapClock.finished()) {
        return std::nullopt;
    }
    return gapAtLine(2);
}
