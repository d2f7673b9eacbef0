#pragma once

#include <cstdint>
#include <functional>

#include "saves/replay_file.h"

// A replay's race run again from its grid with no window, tick by tick from
// its controls alone: the circuit grown from its number, rand from its seed.
// The craft's models must be loaded first, as their colours draw from rand.
struct ReplayRun {
    uint32_t lapMs[3] = {};
    uint32_t raceMs = 0;
    uint64_t finalStateHash = 0;
    // The same laps, race time and final state as the replay says.
    bool matches = false;
};

// afterEachTick, when given, is called after every tick run.
ReplayRun runReplay(const Replay& replay, const std::function<void()>& afterEachTick = {});
