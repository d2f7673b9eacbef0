#include "shell/verify_command.h"

#include <algorithm>

#include "assets/player_messages.h"
#include "race/lap_clock.h"
#include "render/scene.h"
#include "saves/replay_file.h"
#include "session/replay_run.h"
#include "session/replay_watch.h"
#include "shell/data_folder_choice.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
// The clock's reading without its newline.
std::string timeText(uint32_t ms) {
    std::string text = clockText(ms);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// No window to own a box: what would be one is said on standard error only.
void sayOnStandardErrorOnly(const char*, const char*) {}
}  // namespace

bool watchReplayFile(const std::string& path) {
    const ReplayRead read = readReplayFile(path);
    if (read.status != ReplayStatus::Valid) {
        showMessageBox(read.problem.c_str(), "Error", BoxOwner::None, BoxIcon::Error);
        return false;
    }
    raceOnCircuit(read.replay.circuit);
    watchReplay(read.replay);
    return true;
}

int verifyReplayCommand(const std::string& path, std::ostream& out, std::ostream& err) {
    const ReplayRead read = readReplayFile(path);
    if (read.status != ReplayStatus::Valid) {
        err << "zentrix: " << read.problem << "\n";
        return REPLAY_UNREADABLE_STATUS;
    }
    setMessageBoxHandler(sayOnStandardErrorOnly);
    if (!chooseDataFolder()) {
        return NO_DATA_EXIT_STATUS;
    }
    loadCraftModels();
    const Replay& replay = read.replay;
    const ReplayRun run = runReplay(replay);
    out << circuitName(replay.circuit) << "\n";
    for (int lap = 0; lap < 3; ++lap) {
        out << "lap " << lap + 1 << "  " << timeText(run.lapMs[lap]) << "\n";
    }
    out << "race   " << timeText(run.raceMs) << "\n";
    if (!run.matches) {
        out << "does not match\n";
        return REPLAY_MISMATCH_STATUS;
    }
    out << "verified\n";
    return 0;
}
