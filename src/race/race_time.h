#pragma once

#include <cstdint>

// The race steps 60 times a second, whatever rate the picture is drawn at.
constexpr int RACE_TICKS_PER_SECOND = 60;

// Ticks run since the game began, paused ones included: the race's own time.
extern int64_t gRaceTicks;

// Ticks that moved the race lined up now, paused ones left out.
extern int32_t gTicksThisRace;

// The race's time in milliseconds, as its clock reads it: counted in the
// ticks that moved this race, so a lap takes the same time however the
// machine keeps up with drawing, whenever the race began and however long it
// stood paused (a replay run again from its grid reads the same laps).
uint32_t raceMilliseconds();

// Races started since the game began; a new grid is no move to blend.
extern int32_t gRaceStarts;

// Ticks modulo 360: schedules the exhaust glow (every 3rd) and the race
// position refresh (every 10th), and spins the shot's picture.
extern int32_t gFrameCounter;
constexpr int32_t FRAME_COUNTER_MODULUS = 360;
