#pragma once

#include <cstdint>
#include <map>

// The player's best times, kept between runs. 0 means no record yet.
struct Records {
    uint32_t bestLapMs = 0;
    uint32_t bestRaceMs = 0;  // the three laps of one race added up

    bool operator==(const Records& other) const {
        return bestLapMs == other.bestLapMs && bestRaceMs == other.bestRaceMs;
    }
};

// The records of every circuit raced, by circuit number; a circuit never
// raced, or raced without finishing, has no entry.
using CircuitRecords = std::map<uint32_t, Records>;

// One circuit's records; all 0 when it has none.
Records recordsOf(const CircuitRecords& all, uint32_t circuit);

// Which records a finished race has just beaten, for the finish panel.
struct RecordsImproved {
    bool bestLap = false;
    bool bestRace = false;

    bool any() const { return bestLap || bestRace; }
};

// Offers the three lap times of a race to the records and keeps what it beats.
// A race with a lap still at 0 has not finished and beats nothing; equalling a
// record is not beating it.
RecordsImproved offerRace(Records& records, const uint32_t (&lapMs)[3]);
