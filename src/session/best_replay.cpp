#include "session/best_replay.h"

#include <ctime>

#include "saves/disk_notices.h"
#include "saves/saved_file.h"

void sayReplayProblem(const std::string& what) {
    sayDiskTrouble(what);
}

KeptBest readKeptBest(const std::string& folder, uint32_t circuit, RaceMode mode,
                      Difficulty difficulty) {
    const std::string path = folder + "/" + bestReplayName(circuit, mode, difficulty);
    ReplayRead kept = readReplayFile(path);
    KeptBest best;
    if (kept.status == ReplayStatus::Valid) {
        best.replay = std::move(kept.replay);
        return best;
    }
    if (kept.status == ReplayStatus::Missing) {
        return best;
    }
    const char* label = kept.status == ReplayStatus::OtherVersion ? "newer" : "corrupt";
    std::string failure;
    if (moveAside(path, label, std::time(nullptr), failure).empty()) {
        sayReplayProblem("the best replay " + path + " cannot be moved aside (" + failure +
                         "); it is left as it is");
        best.stuck = true;
        return best;
    }
    sayReplayProblem(kept.problem + "; it was moved aside");
    return best;
}
