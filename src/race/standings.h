#pragma once

#include <cstdint>

#include "race/championship_rules.h"

// The player's place, 1 (leading) to 6, refreshed every tenth frame; 0 until
// the first refresh.
extern int32_t gRacePosition;

// The player's place as the third lap registered, taken there and then rather
// than at the next refresh; 0 while the race is on. The opponents fly on
// afterwards, but this place stands.
extern int32_t gFinalPlace;
// Every driver's place at that moment (the player first, then the opponents
// in grid order), for a championship's points; all 0 while the race is on.
extern SeasonPlaces gFinishingPlaces;

// The frame's standings: the place every tenth frame, and a lap on the clock
// when the player has just crossed the line after a whole lap.
void updateStandings(int32_t frameCounter);

// No place shown until the first refresh of a new race.
void resetStandings();
