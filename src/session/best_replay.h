#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "saves/replay_file.h"

// The fastest finished race of each circuit, kept as best-<circuit>.zxr in
// the replays folder (a time trial's as best-time-trial-<circuit>.zxr): the
// time to beat, and the ghost raced against.
struct KeptBest {
    std::optional<Replay> replay;  // none kept, or none that reads
    // A damaged one that could not be moved aside: it is left as it is, and
    // nothing is written over it.
    bool stuck = false;
};

// The best race kept for the circuit. A damaged one, or one from a newer
// game, is moved aside and said in one line on standard error, and the race
// goes on as if there were none.
KeptBest readKeptBest(const std::string& folder, uint32_t circuit, RaceMode mode = RaceMode::Race,
                      Difficulty difficulty = Difficulty::Normal);

// What goes wrong with a kept race, in one line on standard error.
void sayReplayProblem(const std::string& what);
