#include "saves/records.h"

#include <algorithm>
#include <limits>

Records recordsOf(const CircuitRecords& all, uint32_t circuit) {
    const auto found = all.find(circuit);
    return found != all.end() ? found->second : Records();
}

CircuitRecords& AllRecords::racesAt(Difficulty difficulty) {
    return difficulty == Difficulty::Easy   ? raceEasy
           : difficulty == Difficulty::Hard ? raceHard
                                            : race;
}

const CircuitRecords& AllRecords::racesAt(Difficulty difficulty) const {
    return difficulty == Difficulty::Easy   ? raceEasy
           : difficulty == Difficulty::Hard ? raceHard
                                            : race;
}

bool medalTimesInOrder(const MedalTimes& times) {
    return times.pilotMs != 0 && times.pilotMs < times.goldMs && times.goldMs < times.silverMs &&
           times.silverMs < times.bronzeMs;
}

RecordsImproved offerRace(Records& records, const uint32_t (&lapMs)[3]) {
    RecordsImproved improved;
    if (lapMs[0] == 0 || lapMs[1] == 0 || lapMs[2] == 0) {
        return improved;
    }
    const uint32_t fastestLap = std::min({lapMs[0], lapMs[1], lapMs[2]});
    if (records.bestLapMs == 0 || fastestLap < records.bestLapMs) {
        records.bestLapMs = fastestLap;
        improved.bestLap = true;
    }
    // A race too long for 32 bits of milliseconds (seven weeks) cannot be kept.
    const uint64_t raceMs = uint64_t{lapMs[0]} + lapMs[1] + lapMs[2];
    if (raceMs <= std::numeric_limits<uint32_t>::max() &&
        (records.bestRaceMs == 0 || raceMs < records.bestRaceMs)) {
        records.bestRaceMs = static_cast<uint32_t>(raceMs);
        improved.bestRace = true;
    }
    return improved;
}
