#pragma once

#include <functional>
#include <optional>

#include "craft/player.h"
#include "saves/replay_file.h"

// Every race kept as a replay: the controls of each tick that moved it, from
// the grid to the finish (paused ticks and those after the finish are not
// the race's), with what it takes to run it again: the circuit, the seed, and
// the hash of its state after its last tick.

// The replay of the race lined up now from seed, before its first tick: the
// game, the circuit, the mode and the opponents' craft.
Replay replayOfTheGrid(uint32_t seed);
// The laps, race time and state of the race run so far, into replay.
void takeTheRaceSoFar(Replay& replay);

// A tick's keys as a replay keeps them, and back.
ReplayControls controlsOf(const KeyboardInput& keys);
KeyboardInput keysOf(ReplayControls controls);

// One tick of the race as the game runs it, recorded when it moves the race.
RaceSounds stepRecordedRace(const KeyboardInput& keys);

// The race lined up now, as recorded so far.
Replay recordedRace();

// From now on races are kept in the player's data home: last.zxr, and
// best-<circuit>.zxr for the fastest finished race of each circuit
// (best-time-trial-<circuit>.zxr for time trials). The game
// calls this at start; tests and benchmarks that never do write nothing.
void keepReplays(bool keep = true);
bool keepingReplays();

// Keeps the race run so far as last.zxr, and as best-<circuit>.zxr when it is
// finished and faster than the one kept there (a damaged one is moved aside).
// Called when a race ends: the third lap, R, N, or the game ending. A race of
// no ticks, one kept already, or one the test aid started is not kept again.
// Problems are said in one line on standard error; the race goes on.
void keepRecordedRace();

// The race lined up now was not run from its grid (the final-stretch test
// aid): it is never kept, so its made-up laps never stand as a best race.
void neverKeepThisRace();
// Whether neverKeepThisRace was said of the race lined up now.
bool thisRaceIsNeverKept();

// The circuit and mode of the last best race kept in this run, at once: the
// ghost that flies from the next race of them on.
struct KeptRace {
    uint32_t circuit = 0;
    RaceMode mode = RaceMode::Race;
    Difficulty difficulty = Difficulty::Normal;  // a time trial's is its race's, unused
    bool operator==(const KeptRace& other) const {
        return circuit == other.circuit && mode == other.mode &&
               (mode == RaceMode::TimeTrial || difficulty == other.difficulty);
    }
};
std::optional<KeptRace> lastBestRaceKept();

// Told of every new best race kept from now on, once it is on disk (the
// shell sends a time trial's to the world board); none: nobody is told.
void whenABestIsKept(std::function<void(const Replay&)> listener);
