#include "shell/pilot_command.h"

#include <unistd.h>

#include <optional>
#include <string>

#include "assets/player_messages.h"
#include "render/scene.h"
#include "saves/medals.h"
#include "saves/replay_file.h"
#include "session/pilot_race.h"
#include "shell/data_folder_choice.h"
#include "track/track.h"

namespace {
// No window to own a box: what would be one is said on standard error only.
void sayOnStandardErrorOnly(const char*, const char*) {}

// The pilot's finished run of circuit, or nothing after one line on err.
std::optional<Replay> runThePilot(uint32_t circuit, std::ostream& err) {
    setMessageBoxHandler(sayOnStandardErrorOnly);
    if (!chooseDataFolder()) {
        err << "zentrix: the pilot races only with the game's data, found nowhere\n";
        return std::nullopt;
    }
    loadCraftModels();
    Replay run = pilotRace(circuit);
    if (run.raceMs == 0) {
        err << "zentrix: the pilot did not finish three laps of " << circuitName(circuit) << "\n";
        return std::nullopt;
    }
    return run;
}
}  // namespace

int pilotCommand(uint32_t circuit, std::ostream& out, std::ostream& err) {
    const std::optional<Replay> finished = runThePilot(circuit, err);
    if (!finished) {
        return PILOT_FAILED_STATUS;
    }
    const Replay& run = *finished;
    const std::string bytes = encodeReplay(run);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        err << "zentrix: the pilot's replay could not be written\n";
        return PILOT_FAILED_STATUS;
    }
    return 0;
}

int medalsCommand(uint32_t circuit, std::ostream& out, std::ostream& err) {
    const std::optional<Replay> run = runThePilot(circuit, err);
    if (!run) {
        return PILOT_FAILED_STATUS;
    }
    const MedalTimes times = medalTimesFor(run->raceMs);
    out << circuitName(circuit) << "\n";
    for (const Medal medal : {Medal::Pilot, Medal::Gold, Medal::Silver, Medal::Bronze}) {
        std::string name = medalName(medal);
        name.resize(8, ' ');
        out << name << medalTimeText(medalTimeMs(times, medal)) << "\n";
    }
    out.flush();
    return out ? 0 : PILOT_FAILED_STATUS;
}

bool refusePilotToTerminal(std::ostream& err) {
    if (isatty(STDOUT_FILENO) == 0) {
        return false;
    }
    err << "zentrix: --pilot writes a replay file, not text: send it to a file, as in\n"
           "  zentrix --pilot 7 > pilot.zxr\n";
    return true;
}
