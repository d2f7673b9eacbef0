#pragma once

#include "saves/records.h"

// The player's records through a run: read at the start, shown on the HUD,
// and offered every finished race.

// Reads them from the player's data home; a run without this keeps none.
void loadRaceRecords();

// Offers the race to the records of the circuit raced once, in the frame its
// third lap came in; a beaten record is saved there and then. A race the
// final-stretch test aid started is never offered. Called every frame.
void offerFinishedRace();

// The next race is a new one: not offered yet, nothing beaten.
void forgetOfferedRace();

// The records of the circuit raced as they stand now; all 0 when there are none.
Records currentRecords();

// Which records the finished race beat, for its panel.
RecordsImproved recordsBeatenThisRace();
