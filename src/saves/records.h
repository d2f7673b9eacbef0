#pragma once

#include <cstdint>
#include <map>

#include "saves/difficulty.h"

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

// The times of a circuit's medals, from the game's own pilot's time trial
// there: beating the pilot, then gold, silver and bronze, each slower.
struct MedalTimes {
    uint32_t pilotMs = 0;
    uint32_t goldMs = 0;
    uint32_t silverMs = 0;
    uint32_t bronzeMs = 0;

    bool operator==(const MedalTimes& other) const {
        return pilotMs == other.pilotMs && goldMs == other.goldMs && silverMs == other.silverMs &&
               bronzeMs == other.bronzeMs;
    }
};

// None 0, and each medal slower than the one above it.
bool medalTimesInOrder(const MedalTimes& times);

using CircuitMedals = std::map<uint32_t, MedalTimes>;

// Everything the records file holds: races and time trials are kept apart,
// as a time trial has no opponents in the way, and races apart by how hard
// the opponents raced.
struct AllRecords {
    CircuitRecords race;  // at normal
    CircuitRecords timeTrial;
    CircuitMedals medals;
    // Last, and with initializers, so that braces giving only the fields
    // above still fill them in place.
    CircuitRecords raceEasy = {};
    CircuitRecords raceHard = {};

    CircuitRecords& racesAt(Difficulty difficulty);
    const CircuitRecords& racesAt(Difficulty difficulty) const;

    bool empty() const {
        return race.empty() && raceEasy.empty() && raceHard.empty() && timeTrial.empty() &&
               medals.empty();
    }
    bool operator==(const AllRecords& other) const {
        return race == other.race && raceEasy == other.raceEasy && raceHard == other.raceHard &&
               timeTrial == other.timeTrial && medals == other.medals;
    }
};

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
