#include "saves/kept_text.h"

#include <ctime>
#include <utility>

#include "saves/disk_notices.h"
#include "saves/saved_file.h"

KeptText readKeptText(const std::string& path, std::size_t maxBytes) {
    KeptText kept;
    std::string text;
    std::string failure;
    switch (readSmallFile(path, maxBytes, text, failure)) {
        case SmallFileRead::Read:
            kept.text = std::move(text);
            break;
        case SmallFileRead::Missing:
            break;
        case SmallFileRead::Unreadable:
            kept.problem = "cannot be read (" + failure + ")";
            break;
        case SmallFileRead::TooLarge:
            kept.problem = "is corrupt (" + failure + ")";
            break;
    }
    return kept;
}

bool setKeptFileAside(const std::string& what, const std::string& path, const std::string& problem,
                      const char* label, const std::string& goingOn) {
    std::string failure;
    const std::string aside = moveAside(path, label, std::time(nullptr), failure);
    if (aside.empty()) {
        sayDiskTrouble(what + " " + path + " " + problem + " and " + failure + "; " + goingOn +
                       ", saving none");
        return false;
    }
    sayDiskTrouble(what + " " + path + " " + problem + "; kept it as " + aside + ", " + goingOn);
    return true;
}
