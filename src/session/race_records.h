#pragma once

#include <cstdint>
#include <optional>

#include "saves/medals.h"
#include "saves/race_mode.h"
#include "saves/records.h"

// The player's records through a run: read at the start, shown on the HUD,
// and offered every finished race. Races and time trials keep theirs apart.

// Reads them from the player's data home; a run without this keeps none.
void loadRaceRecords();

// Offers the race to the records of the circuit and mode raced once, in the
// frame its third lap came in; a beaten record is saved there and then. A
// race the final-stretch test aid started is never offered. Called every frame.
void offerFinishedRace();

// The next race is a new one: not offered yet, nothing beaten.
void forgetOfferedRace();

// The records of the circuit and mode raced now as they stand; all 0 when
// there are none.
Records currentRecords();

// Which records the finished race beat, for its panel.
RecordsImproved recordsBeatenThisRace();

// The medal times of circuit: the pilot's time trial, with the margins over
// it. Worked out the first time a circuit is raced in time trial and kept in
// the records, so this runs the pilot's race only when they are not kept yet
// (and then the caller lines up its own race afterwards). None when the pilot
// cannot finish it.
std::optional<MedalTimes> medalTimesOf(uint32_t circuit);

// The medal times of circuit, when worked out already; never runs a race.
std::optional<MedalTimes> knownMedalTimes(uint32_t circuit);

// The best medal the player's time trials of circuit have won.
Medal medalHeld(uint32_t circuit);
