// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "saves/records.h"

// A circuit's medals are earned in its time trial against times set from the
// game's own pilot's time trial there. Lowest first, so a better medal
// compares greater.
enum class Medal : uint8_t { None = 0, Bronze, Silver, Gold, Pilot };

// "pilot", "gold", "silver", "bronze"; "" for None.
const char* medalName(Medal medal);

// The medal times over a pilot time of pilotMs, each rounded up to a whole
// 100 ms and slower than the one above. A pilot time of 0 (it did not finish)
// sets none: all 0. Times that would pass 4294967295 ms stop there, stepping
// down 1 ms a medal to stay in order; only a pilot time within 2 ms of the top
// leaves them tied.
MedalTimes medalTimesFor(uint32_t pilotMs);

// The medal a time trial of raceMs earns: beating the pilot's time, or at most
// a medal's time. 0 (not finished) earns none.
Medal medalEarned(const MedalTimes& times, uint32_t raceMs);

// The medal above held; none above Pilot.
std::optional<Medal> nextMedal(Medal held);

// The time of medal (the pilot's time for Pilot, to be beaten); 0 for None.
uint32_t medalTimeMs(const MedalTimes& times, Medal medal);

// "4:12.300": minutes, two-digit seconds, a dot and three-digit milliseconds.
std::string medalTimeText(uint32_t ms);
