#include "saves/championship_store.h"

#include <utility>

#include "saves/data_home.h"
#include "saves/disk_notices.h"
#include "saves/kept_text.h"
#include "saves/saved_file.h"

ChampionshipStore::ChampionshipStore(std::string folder) : folder_(std::move(folder)) {}

std::string ChampionshipStore::filePath() const {
    return folder_ + "/" + CHAMPIONSHIP_FILE_NAME;
}

void ChampionshipStore::load() {
    kept_ = ChampionshipFile();
    unsaved_.clear();
    if (folder_.empty()) {
        return;
    }
    const KeptText kept = readKeptText(filePath(), CHAMPIONSHIP_TEXT_MAX_BYTES);
    if (!kept.problem.empty()) {
        keepAside(kept.problem, "corrupt");
        return;
    }
    if (!kept.text) {
        return;  // none kept yet
    }
    ParsedChampionships parsed = parseChampionships(*kept.text);
    if (parsed.status == ChampionshipTextStatus::Valid) {
        kept_ = std::move(parsed.file);
    } else if (parsed.status == ChampionshipTextStatus::NewerVersion) {
        keepAside("is " + parsed.problem, "newer");
    } else {
        keepAside("is corrupt (" + parsed.problem + ")", "corrupt");
    }
}

void ChampionshipStore::keepAside(const std::string& problem, const char* label) {
    if (!setKeptFileAside("championship file", filePath(), problem, label,
                          "going on with no championships kept")) {
        saving_ = false;  // saving now would destroy the only copy of what it held
    }
}

std::optional<ChampionshipProgress> ChampionshipStore::progress() const {
    return kept_.current;
}

void ChampionshipStore::keepProgress(const ChampionshipProgress& progress) {
    if (!championshipProgressKept(progress)) {
        forgetProgress();
        return;
    }
    if (!(kept_.current == progress)) {
        kept_.current = progress;
        save();
    }
}

void ChampionshipStore::forgetProgress() {
    if (kept_.current) {
        kept_.current.reset();
        save();
    }
}

std::optional<ChampionshipBest> ChampionshipStore::best(uint32_t number,
                                                        Difficulty difficulty) const {
    const ChampionshipKey key{number, difficulty};
    for (const auto* kept : {&kept_.best, &unsaved_}) {
        const auto found = kept->find(key);
        if (found != kept->end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

bool ChampionshipStore::offerResult(uint32_t number, Difficulty difficulty,
                                    ChampionshipBest result) {
    const std::optional<ChampionshipBest> before = best(number, difficulty);
    if (!championshipBestKept(result) || static_cast<int>(difficulty) >= DIFFICULTY_COUNT ||
        (before && !championshipBetter(result, *before))) {
        return false;
    }
    const ChampionshipKey key{number, difficulty};
    // Saving more would write a file too long to be read back.
    if (kept_.best.count(key) == 0 && kept_.best.size() >= CHAMPIONSHIP_MAX_KEPT) {
        if (!toldFull_) {
            toldFull_ = true;
            sayDiskTrouble("championship results are saved for " +
                           std::to_string(CHAMPIONSHIP_MAX_KEPT) +
                           " championships at most; that of " + std::to_string(number) + " at " +
                           difficultyName(difficulty) + " and any further one last this run only");
        }
        unsaved_[key] = result;
        return true;
    }
    kept_.best[key] = result;
    save();
    return true;
}

void ChampionshipStore::save() {
    if (!saving_) {
        return;
    }
    if (folder_.empty()) {
        stopSaving("neither XDG_DATA_HOME nor HOME names an absolute folder");
        return;
    }
    std::string failure;
    if (!createFolders(folder_, failure) ||
        !writeFileAtomically(folder_, CHAMPIONSHIP_FILE_NAME, formatChampionships(kept_),
                             failure)) {
        stopSaving(failure);
    }
}

void ChampionshipStore::stopSaving(const std::string& reason) {
    saving_ = false;
    sayDiskTrouble("cannot save championships: " + reason + "; racing on without saving them");
}

ChampionshipStore loadPlayerChampionships() {
    ChampionshipStore store(zentrixDataFolder());
    store.load();
    return store;
}
