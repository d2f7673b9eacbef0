// session: one race after another: pause, race again, the records each finish earns.
#pragma once

#include <cstdint>

// The race's commands beside driving. Keys give them (P and R); a pad's
// buttons come here through the same keys.

// P: pauses the race with its engine and effects, or resumes it where it stood.
void togglePause();

// Pauses, and stays paused if it already was: the player switched away and
// comes back with P.
void pauseTheRace();

// R: a new race from the grid exactly as at launch, unpaused, with no
// countdown (a time trial starts one after this). The music and the chosen
// camera carry on.
void raceAgain();

// N, while the pause or the finish panel shows: the circuit numbered one
// after this one (the classic after the last), raced from its grid as R
// races again. Mid-race it does nothing, so a stray key costs no race.
void raceNextCircuit();

// The circuit chosen in the pause menu, raced from its grid as R races again.
void raceCircuit(uint32_t number);

// True while the pause or the finish panel shows: then racing again is the
// natural next step, and a pad's Back means R.
bool pauseOrFinishPanelShows();
