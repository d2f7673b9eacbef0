// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>

// What a race is run as. Replays and records keep it, so it is numbered for
// the files: a race against the five opponents, or a time trial alone on the
// road. Files written before time trials are races.
enum class RaceMode : uint8_t { Race = 0, TimeTrial = 1 };

// "race" or "time trial", as the player reads it.
const char* raceModeName(RaceMode mode);
