#include "session/race_records.h"

#include <optional>

#include "race/lap_clock.h"
#include "race/race_result.h"
#include "saves/records_store.h"

namespace {
std::optional<RecordsStore> gStore;
bool gRaceOffered = false;
RecordsImproved gBeaten;
}  // namespace

void loadRaceRecords() {
    gStore = loadPlayerRecords();
}

void offerFinishedRace() {
    if (gRaceOffered || !raceIsFinished()) {
        return;
    }
    gRaceOffered = true;
    if (gStore) {
        gBeaten = gStore->offerRace(gLapClock.lapMs);
    }
}

void forgetOfferedRace() {
    gRaceOffered = false;
    gBeaten = RecordsImproved();
}

Records currentRecords() {
    return gStore ? gStore->records() : Records();
}

RecordsImproved recordsBeatenThisRace() {
    return gBeaten;
}
