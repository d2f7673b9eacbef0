#include "session/race_records.h"

#include "race/lap_clock.h"
#include "race/race.h"
#include "race/race_result.h"
#include "saves/records_store.h"
#include "session/pilot_race.h"
#include "session/race_recording.h"
#include "track/track.h"

namespace {
std::optional<RecordsStore> gRecordsStore;
bool gRaceOffered = false;
RecordsImproved gBeaten;
// Worked out this run where there is no store to keep them in.
CircuitMedals gMedalsWorkedOut;
}  // namespace

void loadRaceRecords() {
    gRecordsStore = loadPlayerRecords();
}

void offerFinishedRace() {
    if (gRaceOffered || !raceIsFinished()) {
        return;
    }
    gRaceOffered = true;
    // The test aid's made-up laps are no record; its panel still shows them.
    if (gRecordsStore && !thisRaceIsNeverKept()) {
        gBeaten = gRecordsStore->offerRace(gTrack.circuitNumber(), gLapClock.lapMs, raceMode(),
                                           raceDifficulty());
    }
}

void forgetOfferedRace() {
    gRaceOffered = false;
    gBeaten = RecordsImproved();
}

Records currentRecords() {
    return gRecordsStore
               ? gRecordsStore->records(gTrack.circuitNumber(), raceMode(), raceDifficulty())
               : Records();
}

RecordsImproved recordsBeatenThisRace() {
    return gBeaten;
}

namespace {
std::optional<MedalTimes> keptMedalTimes(uint32_t circuit) {
    if (gRecordsStore) {
        if (const std::optional<MedalTimes> kept = gRecordsStore->medals(circuit)) {
            return kept;
        }
    }
    const auto found = gMedalsWorkedOut.find(circuit);
    if (found != gMedalsWorkedOut.end()) {
        return found->second;
    }
    return std::nullopt;
}
}  // namespace

std::optional<MedalTimes> medalTimesOf(uint32_t circuit) {
    if (gRecordsStore) {
        if (const std::optional<MedalTimes> kept = gRecordsStore->medals(circuit)) {
            return kept;
        }
    }
    // Worked out once a run at most, then kept wherever the records are now.
    auto found = gMedalsWorkedOut.find(circuit);
    if (found == gMedalsWorkedOut.end()) {
        const uint32_t pilotMs = pilotRunOf(circuit).raceMs;
        if (pilotMs == 0) {
            return std::nullopt;
        }
        found = gMedalsWorkedOut.emplace(circuit, medalTimesFor(pilotMs)).first;
    }
    if (gRecordsStore) {
        gRecordsStore->keepMedals(circuit, found->second);
    }
    return found->second;
}

std::optional<MedalTimes> knownMedalTimes(uint32_t circuit) {
    return keptMedalTimes(circuit);
}

Medal medalHeld(uint32_t circuit) {
    const std::optional<MedalTimes> times = keptMedalTimes(circuit);
    if (!times || !gRecordsStore) {
        return Medal::None;
    }
    return medalEarned(*times, gRecordsStore->records(circuit, RaceMode::TimeTrial).bestRaceMs);
}
