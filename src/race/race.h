#pragma once

#include <cstdint>

#include "race/player.h"

// The race steps 60 times a second, whatever rate the picture is drawn at.
constexpr int RACE_TICKS_PER_SECOND = 60;

// Ticks run since the game began, paused ones included: the race's own time.
extern int64_t gRaceTicks;

// The race's time in milliseconds, as its clock reads it: counted in ticks,
// so a lap takes the same time however the machine keeps up with drawing.
uint32_t raceMilliseconds();

// Races started since the game began; a new grid is no move to blend.
extern int32_t gRaceStarts;

// Ticks modulo 360: schedules the exhaust glow (every 3rd) and the race
// position refresh (every 10th), and spins the shot's picture.
extern int32_t gFrameCounter;
constexpr int32_t FRAME_COUNTER_MODULUS = 360;

// A new race from the grid: the opponents' start values, lanes and model
// colours drawn from rand in the game's order (their models must be loaded),
// the player on the start line, no shot, the standings and clock from zero,
// not paused. Draws nothing: the caller compiles the opponents' display lists
// afterwards.
void startRace();

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
