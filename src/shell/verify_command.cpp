#include "shell/verify_command.h"

#include <algorithm>

#include "assets/player_messages.h"
#include "craft/opponent.h"
#include "race/lap_clock.h"
#include "render/scene.h"
#include "saves/replay_file.h"
#include "session/replay_run.h"
#include "session/replay_watch.h"
#include "shell/data_folder_choice.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {
constexpr int RACE_LAPS = 3;

// Read no further than one byte past the largest replay, so a pipe that
// never ends is refused rather than held in memory.
ReplayRead readReplayFrom(std::istream& in) {
    std::string bytes(REPLAY_FILE_MAX_BYTES + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    ReplayRead read;
    if (bytes.size() > REPLAY_FILE_MAX_BYTES) {
        read.problem = "standard input holds more than any replay";
        return read;
    }
    read = decodeReplay(bytes);
    if (read.status != ReplayStatus::Valid) {
        read.problem = "standard input: " + read.problem;
    }
    return read;
}

// The clock's reading without its newline.
std::string verifiedTimeText(uint32_t ms) {
    std::string text = clockText(ms);
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

// No window to own a box: what would be one is said on standard error only.
void sayOnStandardErrorOnlyWhileVerifying(const char*, const char*) {}

// The race reads nothing of the craft but how many parts drew a colour at
// the grid, so a replay that says so needs no data folder at all. An older
// one runs again only with the game's own craft read from its data.
bool flyTheReplaysCraft(const Replay& replay, const std::string& path, std::ostream& err) {
    if (replay.craftParts) {
        for (Opponent& opponent : gOpponents) {
            opponent.model.objects.assign(*replay.craftParts, MeshObject());
            opponent.model.objectCount = static_cast<int32_t>(*replay.craftParts);
        }
        return true;
    }
    setMessageBoxHandler(sayOnStandardErrorOnlyWhileVerifying);
    if (!chooseDataFolder()) {
        err << "zentrix: " << path << ": a replay of format version "
            << REPLAY_FORMAT_VERSION_WITHOUT_CRAFT_PARTS
            << " runs again only with the game's data, found nowhere\n";
        return false;
    }
    loadCraftModels();
    return true;
}

std::string raceText(const ReplayRun& run) {
    if (run.raceMs != 0) {
        return verifiedTimeText(run.raceMs);
    }
    const long laps =
        std::count_if(run.lapMs, run.lapMs + RACE_LAPS, [](uint32_t ms) { return ms != 0; });
    return "unfinished, " + std::to_string(laps) + " of " + std::to_string(RACE_LAPS) + " laps";
}
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

int verifyReplayCommand(const std::string& path, std::istream& in, std::ostream& out,
                        std::ostream& err) {
    const ReplayRead read = path == "-" ? readReplayFrom(in) : readReplayFile(path);
    if (read.status != ReplayStatus::Valid) {
        err << "zentrix: " << read.problem << "\n";
        return REPLAY_UNREADABLE_STATUS;
    }
    const Replay& replay = read.replay;
    if (!flyTheReplaysCraft(replay, path, err)) {
        return REPLAY_UNREADABLE_STATUS;
    }
    const ReplayRun run = runReplay(replay);
    // A race keeps the line it always had; a time trial says it is one.
    out << circuitName(replay.circuit) << (replay.mode == RaceMode::TimeTrial ? ", time trial" : "")
        << "\n";
    for (int lap = 0; lap < RACE_LAPS; ++lap) {
        // A lap never run has no time, rather than one of nought.
        const uint32_t ms = run.lapMs[lap];
        out << "lap " << lap + 1 << "  " << (ms != 0 ? verifiedTimeText(ms) : "not run") << "\n";
    }
    out << "race   " << raceText(run) << "\n";
    if (!run.matches) {
        out << "does not match\n";
        return REPLAY_MISMATCH_STATUS;
    }
    out << "verified\n";
    return 0;
}
