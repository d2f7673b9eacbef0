#pragma once

#include <cstdint>

#include "saves/replay_file.h"

namespace testsupport {

// Time trials for the board's tests and benchmark, each a different run that
// finishes and verifies: the pilot's drive on circuit with one shot fired at
// tick 60 + variant, recorded and hashed by the race itself. The opponents
// fly the game's own craft of six parts, as in the game.
Replay pilotVariant(uint32_t circuit, uint32_t variant);

}  // namespace testsupport
