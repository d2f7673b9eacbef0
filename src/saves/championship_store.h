// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "saves/championship_file.h"
#include "saves/difficulty.h"

constexpr const char* CHAMPIONSHIP_FILE_NAME = "championship.txt";

// The championship left half-way and the player's best finish in each
// championship, as kept in <folder>/championship.txt between runs.
//
// As with records, saving never stops the game: every problem is told in one
// line on standard error, a file that cannot be trusted is moved aside, never
// overwritten, and the game goes on as if none were kept. When the file
// cannot be saved, the game says so once and stops trying.
class ChampionshipStore {
public:
    // folder empty: the player has no data home, so nothing can be saved.
    explicit ChampionshipStore(std::string folder);

    // Reads the file. Missing is nothing kept; corrupt, unreadable or written
    // by a newer version is moved aside to championship.txt.corrupt-<time> (or
    // .newer-).
    void load();

    // The championship to go on with, if one was left half-way.
    std::optional<ChampionshipProgress> progress() const;

    // Keeps progress as the championship to go on with, in place of any
    // other, and saves it. Progress the file does not keep (see
    // championshipProgressKept: none run, or all four, which is over) leaves
    // nothing to go on with.
    void keepProgress(const ChampionshipProgress& progress);

    // Leaves nothing to go on with, saved.
    void forgetProgress();

    // Offers the player's final place and points in a championship finished at
    // difficulty; kept and saved when a better place than the best, or the
    // same place with more points. Returns whether it was kept. A result the
    // file cannot hold (see championshipBestKept) is not. With
    // CHAMPIONSHIP_MAX_KEPT championships in the file, a further one's best
    // lasts this run only, and that is told once.
    bool offerResult(uint32_t number, Difficulty difficulty, ChampionshipBest result);

    // The best finish kept for that championship at difficulty, if any.
    std::optional<ChampionshipBest> best(uint32_t number, Difficulty difficulty) const;

    std::string filePath() const;

private:
    void keepAside(const std::string& problem, const char* label);
    void save();
    void stopSaving(const std::string& reason);

    std::string folder_;
    ChampionshipFile kept_;                                // as saved
    std::map<ChampionshipKey, ChampionshipBest> unsaved_;  // beyond CHAMPIONSHIP_MAX_KEPT
    bool saving_ = true;
    bool toldFull_ = false;
};

// The store in the player's data home, loaded.
ChampionshipStore loadPlayerChampionships();
