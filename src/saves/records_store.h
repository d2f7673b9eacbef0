// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <string>

#include "saves/records.h"

constexpr const char* RECORDS_FILE_NAME = "records.txt";

// The player's records on every circuit, as kept in <folder>/records.txt
// between runs.
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
    // A file of the older layout is read as it is, and left as it is until a
    // record is beaten.
    void load();

    // Offers a race finished on circuit; saves the records when it beats one of
    // that circuit's. With RECORDS_MAX_CIRCUITS circuits in the file, a further
    // circuit's records last this run only, and that is told once.
    RecordsImproved offerRace(uint32_t circuit, const uint32_t (&lapMs)[3]);

    // The records of one circuit; all 0 when it has none.
    Records records(uint32_t circuit) const;
    std::string filePath() const;

private:
    void keepAside(const std::string& problem, const char* label);
    void save();
    void stopSaving(const std::string& reason);

    std::string folder_;
    CircuitRecords records_;  // as saved
    CircuitRecords unsaved_;  // circuits beyond RECORDS_MAX_CIRCUITS
    bool saving_ = true;
    bool toldFull_ = false;
};

// The store in the player's data home, loaded.
RecordsStore loadPlayerRecords();
