#pragma once

#include <cstdint>

#include "race/player.h"

// Frames modulo 360: schedules the exhaust glow (every 3rd) and the race
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

// One tick of the race, without drawing: the world moves, then the player's
// turn. Tests and benchmarks step the race with this; the game's frame calls
// the two halves itself, with the picture drawn between them.
RaceSounds stepRace(const KeyboardInput& keys);

// The first half of a tick: opponents, exhaust glow, shot, the craft's place
// on the track and the drag near the wall. Nothing while paused.
void moveTheWorld();

// The second half: the control step answers the picture the player saw, the
// standings and laps are taken, and the frame is counted. Returns what the
// control step asks the sound to play. Nothing while paused: the keys are
// dropped and no sound is asked for.
RaceSounds finishThePlayersTurn(const KeyboardInput& keys);
