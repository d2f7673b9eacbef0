#include "session/race_recording.h"

#include <string>
#include <utility>

#include "craft/opponent.h"
#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "race/race_state_hash.h"
#include "saves/data_home.h"
#include "session/best_replay.h"
#include "track/track.h"

namespace {
bool gKeeping = false;
Replay gRecording;
int32_t gRecordedStart = -1;  // gRaceStarts of the race recorded
bool gKept = false;
bool gNeverKeep = false;

// A new race lined up since the last tick recorded starts a new recording.
void followTheRaceLinedUp() {
    if (gRecordedStart == gRaceStarts) {
        return;
    }
    gRecordedStart = gRaceStarts;
    gRecording = replayOfTheGrid(RACE_SEED);
    gKept = false;
    gNeverKeep = false;
}

// The best race of the circuit, unless the one kept there is as fast.
std::optional<KeptRace> gLastBestKept;
std::function<void(const Replay&)> gBestListener;

void keepIfBest(const std::string& folder, const Replay& race) {
    const KeptBest kept = readKeptBest(folder, race.circuit, race.mode, race.difficulty);
    if (kept.stuck ||
        (kept.replay && kept.replay->raceMs != 0 && kept.replay->raceMs <= race.raceMs)) {
        return;
    }
    std::string failure;
    if (!writeReplayFile(folder, bestReplayName(race.circuit, race.mode, race.difficulty), race,
                         failure)) {
        sayReplayProblem("cannot keep the best replay: " + failure);
        return;
    }
    gLastBestKept = KeptRace{race.circuit, race.mode, race.difficulty};
    if (gBestListener) {
        gBestListener(race);
    }
}
}  // namespace

Replay replayOfTheGrid(uint32_t seed) {
    Replay replay;
    replay.gameVersion = ZENTRIX_VERSION;
    replay.circuit = gTrack.circuitNumber();
    replay.seed = seed;
    replay.mode = raceMode();
    replay.difficulty = raceDifficulty();
    // Every opponent flies the same craft, and each of its parts drew a colour.
    replay.craftParts = static_cast<uint32_t>(gOpponents[0].model.objects.size());
    replay.finalStateHash = raceStateHash();
    return replay;
}

void takeTheRaceSoFar(Replay& replay) {
    for (int lap = 0; lap < 3; ++lap) {
        replay.lapMs[lap] = gLapClock.lapMs[lap];
    }
    replay.raceMs = gLapClock.finished() ? gLapClock.raceMs() : 0;
    replay.finalStateHash = raceStateHash();
}

ReplayControls controlsOf(const KeyboardInput& keys) {
    ReplayControls c;
    c.bits = static_cast<uint8_t>(
        (keys.up ? ReplayControls::ACCELERATE : 0) | (keys.down ? ReplayControls::BRAKE : 0) |
        (keys.left ? ReplayControls::LEFT : 0) | (keys.right ? ReplayControls::RIGHT : 0) |
        (keys.space ? ReplayControls::FIRE : 0));
    return c;
}

KeyboardInput keysOf(ReplayControls controls) {
    KeyboardInput keys;
    keys.up = controls.has(ReplayControls::ACCELERATE);
    keys.down = controls.has(ReplayControls::BRAKE);
    keys.left = controls.has(ReplayControls::LEFT);
    keys.right = controls.has(ReplayControls::RIGHT);
    keys.space = controls.has(ReplayControls::FIRE);
    return keys;
}

RaceSounds stepRecordedRace(const KeyboardInput& keys) {
    followTheRaceLinedUp();
    const bool racing =
        !raceIsPaused() && !raceIsFinished() && gRecording.controls.size() < REPLAY_MAX_TICKS;
    const RaceSounds sounds = stepRace(keys);
    if (racing) {
        gRecording.controls.push_back(controlsOf(keys));
        gRecording.finalStateHash = raceStateHash();
        gKept = false;
        if (raceIsFinished()) {
            keepRecordedRace();  // the third lap is in
        }
    }
    return sounds;
}

Replay recordedRace() {
    followTheRaceLinedUp();
    Replay race = gRecording;
    const uint64_t hash = race.finalStateHash;  // as of the last tick recorded
    takeTheRaceSoFar(race);
    race.finalStateHash = hash;
    return race;
}

void keepReplays(bool keep) {
    gKeeping = keep;
    gLastBestKept.reset();  // none kept yet where they go from now
}

bool keepingReplays() {
    return gKeeping;
}

void keepRecordedRace() {
    followTheRaceLinedUp();
    if (!gKeeping || gKept || gNeverKeep || gRecording.controls.empty()) {
        return;
    }
    gKept = true;
    const std::string folder = zentrixReplayFolder();
    if (folder.empty()) {
        return;  // no data home: nothing is kept, as with the records
    }
    const Replay race = recordedRace();
    std::string failure;
    if (!writeReplayFile(folder, LAST_REPLAY_NAME, race, failure)) {
        sayReplayProblem("cannot keep the last race: " + failure);
    }
    if (race.raceMs != 0) {
        keepIfBest(folder, race);
    }
}

void neverKeepThisRace() {
    followTheRaceLinedUp();
    gNeverKeep = true;
}

bool thisRaceIsNeverKept() {
    followTheRaceLinedUp();
    return gNeverKeep;
}

std::optional<KeptRace> lastBestRaceKept() {
    return gLastBestKept;
}

void whenABestIsKept(std::function<void(const Replay&)> listener) {
    gBestListener = std::move(listener);
}
