#include "saves/records_store.h"

#include <cstdio>
#include <ctime>
#include <utility>

#include "saves/data_home.h"
#include "saves/records_text.h"
#include "saves/saved_file.h"

RecordsStore::RecordsStore(std::string folder) : folder_(std::move(folder)) {}

std::string RecordsStore::filePath() const {
    return folder_ + "/" + RECORDS_FILE_NAME;
}

void RecordsStore::load() {
    records_.clear();
    unsaved_.clear();
    if (folder_.empty()) {
        return;
    }
    std::string text;
    std::string failure;
    const SmallFileRead read = readSmallFile(filePath(), RECORDS_TEXT_MAX_BYTES, text, failure);
    if (read == SmallFileRead::Missing) {
        return;
    }
    if (read == SmallFileRead::Unreadable) {
        keepAside("cannot be read (" + failure + ")", "corrupt");
        return;
    }
    if (read == SmallFileRead::TooLarge) {
        keepAside("is corrupt (" + failure + ")", "corrupt");
        return;
    }
    ParsedRecords parsed = parseRecords(text);
    if (parsed.status == RecordsTextStatus::Valid) {
        records_ = std::move(parsed.records);
    } else if (parsed.status == RecordsTextStatus::NewerVersion) {
        keepAside("is " + parsed.problem, "newer");
    } else {
        keepAside("is corrupt (" + parsed.problem + ")", "corrupt");
    }
}

void RecordsStore::keepAside(const std::string& problem, const char* label) {
    const std::string path = filePath();
    std::string failure;
    const std::string aside = moveAside(path, label, std::time(nullptr), failure);
    if (aside.empty()) {
        // Saving now would destroy the only copy of what the file held.
        saving_ = false;
        std::fprintf(stderr,
                     "zentrix: records file %s %s and %s; racing with no records, saving none\n",
                     path.c_str(), problem.c_str(), failure.c_str());
        return;
    }
    std::fprintf(stderr, "zentrix: records file %s %s; kept it as %s, racing with no records\n",
                 path.c_str(), problem.c_str(), aside.c_str());
}

Records RecordsStore::records(uint32_t circuit) const {
    const auto saved = records_.find(circuit);
    return saved != records_.end() ? saved->second : recordsOf(unsaved_, circuit);
}

RecordsImproved RecordsStore::offerRace(uint32_t circuit, const uint32_t (&lapMs)[3]) {
    Records circuitRecords = records(circuit);
    const RecordsImproved improved = ::offerRace(circuitRecords, lapMs);
    if (!improved.any()) {
        return improved;
    }
    // Saving more circuits would write a file too long to be read back.
    if (records_.count(circuit) == 0 && records_.size() >= RECORDS_MAX_CIRCUITS) {
        if (!toldFull_) {
            toldFull_ = true;
            std::fprintf(stderr,
                         "zentrix: records are saved for %zu circuits at most; those of %u and "
                         "any further circuit last this run only\n",
                         RECORDS_MAX_CIRCUITS, static_cast<unsigned>(circuit));
        }
        unsaved_[circuit] = circuitRecords;
        return improved;
    }
    records_[circuit] = circuitRecords;
    save();
    return improved;
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
    std::fprintf(stderr, "zentrix: cannot save records: %s; racing on without saving them\n",
                 reason.c_str());
}

RecordsStore loadPlayerRecords() {
    RecordsStore store(zentrixDataFolder());
    store.load();
    return store;
}
