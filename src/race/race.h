// race: the race's ticks from the keys alone, its clock, laps, standings and cameras; no drawing.
#pragma once

#include <cstdint>

#include "craft/player.h"
#include "race/race_time.h"
#include "saves/difficulty.h"
#include "saves/race_mode.h"

// The seed every race starts rand from: the C library's own first seed, so
// the grid at launch is the one the game has always lined up.
constexpr uint32_t RACE_SEED = 1;

// A new race from the grid: rand seeded afresh, so no race depends on how
// many ran before it (a replay holds its seed); the opponents' start values,
// lanes and model colours drawn from it in the game's order (their models
// must be loaded), the player on the start line, no shot, the standings and
// clock from zero, not paused. Draws nothing: the caller compiles the
// opponents' display lists afterwards. A time trial draws the same grid, then
// takes the opponents off the road: they stand still, nothing touches them,
// the shot flies through, and they take no place.
// The opponents race at difficulty (a time trial has none on the road).
void startRace(uint32_t seed = RACE_SEED, RaceMode mode = RaceMode::Race,
               Difficulty difficulty = Difficulty::Normal);

// The mode and difficulty of the race lined up now.
RaceMode raceMode();
Difficulty raceDifficulty();

// Paused, the race stands still: its ticks do nothing and its clock does not
// count. Resuming goes on exactly where it stopped.
void pauseRace();
void resumeRace();
bool raceIsPaused();

// One tick of the race, without drawing: the world moves, the pose the
// picture shows is recorded, then the player's control step answers it, the
// standings and laps are taken, and the tick is counted. Returns what the
// control step asks the sound to play. While paused the race stands still,
// the keys are dropped and no sound is asked for, but the tick still counts.
RaceSounds stepRace(const KeyboardInput& keys);
