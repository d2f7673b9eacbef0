#include "shell/data_folder_choice.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "assets/data_dir.h"
#include "assets/player_messages.h"
#include "models/ase_loader.h"

namespace {
// The model is the first file the game loads, so its box is the one a player
// would have met with no data at all.
constexpr const char* MODEL_GAME_PATH = "data/nau.ase";

std::string workingDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}

// Relative folders are shown as the player's shell would resolve them.
std::string shownFolder(const std::string& folder) {
    return folder[0] == '/' ? folder : workingDirectory() + "/" + folder;
}
}  // namespace

bool chooseDataFolder() {
    const char* overrideFolder = std::getenv("ZENTRIX_DATA_DIR");
    const std::vector<DataFolderCandidate> candidates =
        dataFolderCandidates(overrideFolder, executableRealPath());
    const std::optional<std::string> found = findDataFolder(candidates);
    if (found) {
        // A folder named on purpose and passed over deserves a word.
        const bool overridden = overrideFolder != nullptr && overrideFolder[0] != '\0';
        if (overridden && *found != candidates.front().folder) {
            std::fprintf(stderr, "zentrix: ZENTRIX_DATA_DIR=%s holds no game data; using %s\n",
                         overrideFolder, shownFolder(*found).c_str());
        }
        setDataFolder(*found);
        return true;
    }

    std::fprintf(stderr, "zentrix: no game data (nau.ase and the rest) in any of:\n");
    for (const DataFolderCandidate& candidate : candidates) {
        std::fprintf(stderr, "  %s (%s)\n", shownFolder(candidate.folder).c_str(),
                     candidate.origin.c_str());
    }
    showMessageBox(missingModelMessage(MODEL_GAME_PATH).c_str(), "Error", BoxOwner::None,
                   BoxIcon::Error);
    return false;
}
