#include "saves/records_store.h"

#include <utility>

#include "saves/data_home.h"
#include "saves/disk_notices.h"
#include "saves/kept_text.h"
#include "saves/records_text.h"
#include "saves/saved_file.h"

RecordsStore::RecordsStore(std::string folder) : folder_(std::move(folder)) {}

std::string RecordsStore::filePath() const {
    return folder_ + "/" + RECORDS_FILE_NAME;
}

void RecordsStore::load() {
    records_ = AllRecords();
    unsaved_ = AllRecords();
    if (folder_.empty()) {
        return;
    }
    const KeptText kept = readKeptText(filePath(), RECORDS_TEXT_MAX_BYTES);
    if (!kept.problem.empty()) {
        keepAside(kept.problem, "corrupt");
        return;
    }
    if (!kept.text) {
        return;  // none kept yet
    }
    ParsedRecords parsed = parseRecords(*kept.text);
    if (parsed.status == RecordsTextStatus::Valid) {
        records_ = std::move(parsed.records);
    } else if (parsed.status == RecordsTextStatus::NewerVersion) {
        keepAside("is " + parsed.problem, "newer");
    } else {
        keepAside("is corrupt (" + parsed.problem + ")", "corrupt");
    }
}

void RecordsStore::keepAside(const std::string& problem, const char* label) {
    if (!setKeptFileAside("records file", filePath(), problem, label, "racing with no records")) {
        saving_ = false;  // saving now would destroy the only copy of what it held
    }
}

namespace {

// Where a run's records are kept among all: a time trial has no opponents, so
// no difficulty.
template <typename All>  // AllRecords, const or not
auto& recordsFor(All& all, RaceMode mode, Difficulty difficulty) {
    return mode == RaceMode::TimeTrial ? all.timeTrial : all.racesAt(difficulty);
}

// The kind's name for the player, told when its circuits are too many to save.
std::string recordsKindName(RaceMode mode, Difficulty difficulty) {
    if (mode == RaceMode::TimeTrial) {
        return "time-trial records";
    }
    if (difficulty == Difficulty::Normal) {
        return "records";
    }
    return std::string(difficultyName(difficulty)) + " race records";
}

}  // namespace

Records RecordsStore::records(uint32_t circuit, RaceMode mode, Difficulty difficulty) const {
    const CircuitRecords& saved = recordsFor(records_, mode, difficulty);
    const auto found = saved.find(circuit);
    return found != saved.end() ? found->second
                                : recordsOf(recordsFor(unsaved_, mode, difficulty), circuit);
}

std::optional<MedalTimes> RecordsStore::medals(uint32_t circuit) const {
    for (const CircuitMedals* kept : {&records_.medals, &unsaved_.medals}) {
        const auto found = kept->find(circuit);
        if (found != kept->end()) {
            return found->second;
        }
    }
    return std::nullopt;
}

template <typename Value>
void RecordsStore::keep(std::map<uint32_t, Value>& saved, std::map<uint32_t, Value>& unsaved,
                        const std::string& what, uint32_t circuit, const Value& value) {
    // Saving more circuits would write a file too long to be read back.
    if (saved.count(circuit) == 0 && saved.size() >= RECORDS_MAX_CIRCUITS) {
        if (toldFull_.insert(what).second) {
            sayDiskTrouble(what + " are saved for " + std::to_string(RECORDS_MAX_CIRCUITS) +
                           " circuits at most; those of " + std::to_string(circuit) +
                           " and any further circuit last this run only");
        }
        unsaved[circuit] = value;
        return;
    }
    saved[circuit] = value;
    save();
}

RecordsImproved RecordsStore::offerRace(uint32_t circuit, const uint32_t (&lapMs)[3], RaceMode mode,
                                        Difficulty difficulty) {
    Records circuitRecords = records(circuit, mode, difficulty);
    const RecordsImproved improved = ::offerRace(circuitRecords, lapMs);
    if (improved.any()) {
        keep(recordsFor(records_, mode, difficulty), recordsFor(unsaved_, mode, difficulty),
             recordsKindName(mode, difficulty), circuit, circuitRecords);
    }
    return improved;
}

void RecordsStore::keepMedals(uint32_t circuit, const MedalTimes& times) {
    if (medalTimesInOrder(times) && !(medals(circuit) == times)) {
        keep(records_.medals, unsaved_.medals, "medal times", circuit, times);
    }
}

void RecordsStore::save() {
    if (!saving_) {
        return;
    }
    if (folder_.empty()) {
        stopSaving("neither XDG_DATA_HOME nor HOME names an absolute folder");
        return;
    }
    std::string failure;
    if (!createFolders(folder_, failure) ||
        !writeFileAtomically(folder_, RECORDS_FILE_NAME, formatRecords(records_), failure)) {
        stopSaving(failure);
    }
}

void RecordsStore::stopSaving(const std::string& reason) {
    saving_ = false;
    sayDiskTrouble("cannot save records: " + reason + "; racing on without saving them");
}

RecordsStore loadPlayerRecords() {
    RecordsStore store(zentrixDataFolder());
    store.load();
    return store;
}
