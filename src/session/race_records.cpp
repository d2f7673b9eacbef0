#include "session/race_records.h"

#include <optional>

#include "race/lap_clock.h"
#include "race/race_result.h"
#include "saves/records_store.h"
#include "session/race_recording.h"
#include "track/track.h"

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
    // The test aid's made-up laps are no record; its panel still shows them.
    if (gStore && !thisRaceIsNeverKept()) {
        gBeaten = gStore->offerRace(gTrack.circuitNumber(), gLapClock.lapMs);
    }
}

void forgetOfferedRace() {
    gRaceOffered = false;
    gBeaten = RecordsImproved();
}

Records currentRecords() {
    return gStore ? gStore->records(gTrack.circuitNumber()) : Records();
}

RecordsImproved recordsBeatenThisRace() {
    return gBeaten;
}
