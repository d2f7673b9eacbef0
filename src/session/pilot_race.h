#pragma once

#include <cstdint>

#include "saves/replay_file.h"

// The longest the pilot is given for its three laps: far beyond any circuit's.
constexpr uint32_t PILOT_MAX_TICKS = 20 * 60 * 60;

// The pilot's time trial of three laps of circuit, from the grid as the game
// lines it up, recorded tick by tick: a replay that runs again to the same
// end. Unfinished only if PILOT_MAX_TICKS ran out. The craft's models must be
// loaded first, as their colours draw from rand. It runs the race itself: a
// game lines up its own race afterwards.
Replay pilotRace(uint32_t circuit);

// The same, run once for the circuit asked last and kept: the pilot's replay
// watched, or flown as a ghost, again and again.
const Replay& pilotRunOf(uint32_t circuit);
