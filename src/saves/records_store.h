// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <string>

#include "saves/records.h"

constexpr const char* RECORDS_FILE_NAME = "records.txt";

// The player's records as kept in <folder>/records.txt between runs.
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
    void load();

    // Offers a finished race; saves the records when it beats one of them.
    RecordsImproved offerRace(const uint32_t (&lapMs)[3]);

    const Records& records() const { return records_; }
    std::string filePath() const;

private:
    void keepAside(const std::string& problem, const char* label);
    void save();
    void stopSaving(const std::string& reason);

    std::string folder_;
    Records records_;
    bool saving_ = true;
};

// The store in the player's data home, loaded.
RecordsStore loadPlayerRecords();
