#pragma once

#include <cstdint>

// Every craft, the shot, the standings, the lap times, the glow's schedule and
// the tick's frame counter folded into one 64-bit FNV-1a hash, byte by byte:
// two races that hash the same after a tick ran the same. A replay keeps the
// hash of its last tick to prove its race.
uint64_t raceStateHash();
