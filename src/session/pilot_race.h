#pragma once

#include <cstdint>

#include "saves/replay_file.h"

// The longest the pilot is given for its three laps: far beyond any circuit's.
constexpr uint32_t PILOT_MAX_TICKS = 20 * 60 * 60;

// The pilot's three laps of circuit, raced from the grid as the game lines
// the race up and recorded tick by tick as any race is: a replay that runs
// again to the same end. Unfinished only if PILOT_MAX_TICKS ran out. The
// craft's models must be loaded first, as their colours draw from rand.
Replay pilotRace(uint32_t circuit);
