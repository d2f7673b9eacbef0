// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "saves/difficulty.h"
#include "saves/race_mode.h"
#include "saves/records.h"

constexpr const char* RECORDS_FILE_NAME = "records.txt";

// The player's records on every circuit, races (at each difficulty) and time
// trials apart, and
// each circuit's medal times, as kept in <folder>/records.txt between runs.
//
// Saving is never allowed to stop a race: every problem is told in one line on
// standard error and the game races on. A file that cannot be trusted is moved
// aside, never overwritten, and the race starts with no records. When the
// records cannot be saved, the game says so once and stops trying.
class RecordsStore {
public:
    // folder empty: the player has no data home, so nothing can be saved.
    explicit RecordsStore(std::string folder);

    // Reads the file. Missing is no records; corrupt, unreadable or written by a
    // newer version is moved aside to records.txt.corrupt-<time> (or .newer-).
    // A file of an older layout is read as it is, and left as it is until
    // something new is saved.
    void load();

    // Offers a race or time trial finished on circuit; saves the records when
    // it beats one of that circuit's in that mode, and for a race at that
    // difficulty (a time trial has no opponents, so none). With
    // RECORDS_MAX_CIRCUITS circuits of a kind in the file, a further circuit's
    // records last this run only, and that is told once.
    RecordsImproved offerRace(uint32_t circuit, const uint32_t (&lapMs)[3],
                              RaceMode mode = RaceMode::Race,
                              Difficulty difficulty = Difficulty::Normal);

    // The records of one circuit in mode, for a race at difficulty; all 0 when
    // it has none.
    Records records(uint32_t circuit, RaceMode mode = RaceMode::Race,
                    Difficulty difficulty = Difficulty::Normal) const;

    // The medal times kept for circuit, if any.
    std::optional<MedalTimes> medals(uint32_t circuit) const;

    // Keeps circuit's medal times and saves them when they are new, as
    // records are, with as many circuits at most. Times not in order (see
    // medalTimesInOrder) are not kept.
    void keepMedals(uint32_t circuit, const MedalTimes& times);

    std::string filePath() const;

private:
    // Where a circuit's value of one kind is kept: saved, or for this run only
    // when the file is full of that kind.
    template <typename Value>
    void keep(std::map<uint32_t, Value>& saved, std::map<uint32_t, Value>& unsaved,
              const std::string& what, uint32_t circuit, const Value& value);
    void keepAside(const std::string& problem, const char* label);
    void save();
    void stopSaving(const std::string& reason);

    std::string folder_;
    AllRecords records_;  // as saved
    AllRecords unsaved_;  // circuits beyond RECORDS_MAX_CIRCUITS of a kind
    bool saving_ = true;
    std::set<std::string> toldFull_;  // the kinds whose limit was told
};

// The store in the player's data home, loaded.
RecordsStore loadPlayerRecords();
