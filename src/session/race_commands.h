// session: one race after another: pause, race again, the records each finish earns.
#pragma once

#include <cstdint>

#include "saves/difficulty.h"
#include "saves/race_mode.h"

// The race's commands beside driving. Keys give them (P and R); a pad's
// buttons come here through the same keys.

// P: pauses the race with its engine and effects, or resumes it where it stood.
void togglePause();

// Pauses, and stays paused if it already was: the player switched away and
// comes back with P.
void pauseTheRace();

// R: a new race from the grid exactly as at launch, unpaused, of the mode
// chosen. The music and the chosen camera carry on. A time trial first has
// its circuit's medal times (the pilot's race, the first time) and waits for
// its countdown.
void raceAgain();

// What R, N and the menu line up from now on: a race (as the game opens) or
// a time trial (--time-trial, or chosen in the menu).
// Choosing a mode leaves any season being raced.
void chooseRaceMode(RaceMode mode);
RaceMode chosenRaceMode();

// How hard the opponents race from the next race on (the setting, or
// --difficulty); a season keeps the one it started with.
void chooseDifficulty(Difficulty difficulty);
Difficulty chosenDifficulty();

// --championship N: the first race of the run is that season's first.
void startWithChampionship(uint32_t number);

// Championship number from its first race, at the difficulty chosen now.
void startChampionship(uint32_t number);
// The season left half-way, from the race after the last one run.
void goOnWithKeptChampionship();
// Enter or A on the standings (R too): the next race, or after the fourth
// the season is over and the game races on as before.
void goOnFromTheStandings();

// The first race of the run, once the window's scene stands: its ghost,
// grid and countdown as raceAgain lines them up. The scene itself lined up
// a race; returns whether this lined up another.
bool lineUpTheFirstRace();

// "Watch the pilot": the pilot's time trial of the circuit, watched as
// --replay shows it; Esc comes back to racing.
void watchThePilot(uint32_t circuit);

// Esc while watching the pilot: the keys drive the race again.
bool stopWatchingThePilot();
bool watchingThePilot();

// N, while the pause or the finish panel shows: the circuit numbered one
// after this one (the classic after the last), raced from its grid as R
// races again. Mid-race it does nothing, so a stray key costs no race.
void raceNextCircuit();

// The circuit chosen in the pause menu, raced from its grid as R races again.
void raceCircuit(uint32_t number);

// True while the pause or the finish panel shows: then racing again is the
// natural next step, and a pad's Back means R.
bool pauseOrFinishPanelShows();
