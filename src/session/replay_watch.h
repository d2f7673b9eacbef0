#pragma once

#include <cstdint>

#include "craft/player.h"
#include "saves/replay_file.h"

// Watching a replay: the race runs tick by tick from the replay's controls
// instead of the keys, and stands still at its end. P pauses as in a race,
// F runs it four times as fast, B goes back ten seconds (the race run again
// from its grid to exactly that tick), R starts it over.

// From now on the race is the replay's; its circuit must be the one raced.
void watchReplay(const Replay& replay);
bool watchingReplay();
// The keys drive the race again.
void stopWatchingReplay();

// One tick of the watched race: the next controls, or nothing at its end.
RaceSounds stepWatchedRace();

// The seed the watched race's grid is drawn from.
uint32_t watchedSeed();
// And whether it is a race or a time trial.
RaceMode watchedMode();
Difficulty watchedDifficulty();

// The ticks run so far, and how many the replay holds.
uint32_t watchedTick();
uint32_t watchedTicks();

// F: four ticks a tick, or one again.
void toggleWatchFastForward();
bool watchFastForward();
constexpr int FAST_FORWARD_TICKS = 4;

// B: back this many ticks (no further than the grid), landing on exactly the
// tick it names, as it was run; pause and fast-forward stay as they were.
void watchBack(uint32_t ticks);
constexpr uint32_t WATCH_BACK_TICKS = 10 * 60;

// R: the replay from its grid, unpaused.
void watchFromTheStart();
