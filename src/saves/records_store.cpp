#include "saves/records_store.h"

#include <cstdio>
#include <ctime>
#include <utility>

#include "saves/data_home.h"
#include "saves/records_text.h"
#include "saves/saved_file.h"

namespace {

// A good file is under a hundred bytes; anything much larger is not ours.
constexpr size_t RECORDS_FILE_MAX_BYTES = 4096;

}  // namespace

RecordsStore::RecordsStore(std::string folder) : folder_(std::move(folder)) {}

std::string RecordsStore::filePath() const {
    return folder_ + "/" + RECORDS_FILE_NAME;
}

void RecordsStore::load() {
    records_ = Records();
    if (folder_.empty()) {
        return;
    }
    std::string text;
    std::string failure;
    const SmallFileRead read = readSmallFile(filePath(), RECORDS_FILE_MAX_BYTES, text, failure);
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
    const ParsedRecords parsed = parseRecords(text);
    if (parsed.status == RecordsTextStatus::Valid) {
        records_ = parsed.records;
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

RecordsImproved RecordsStore::offerRace(const uint32_t (&lapMs)[3]) {
    const RecordsImproved improved = ::offerRace(records_, lapMs);
    if (improved.any()) {
        save();
    }
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
