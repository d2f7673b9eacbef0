#include "shell/pilot_command.h"

#include <unistd.h>

#include "assets/player_messages.h"
#include "render/scene.h"
#include "saves/replay_file.h"
#include "session/pilot_race.h"
#include "shell/data_folder_choice.h"
#include "track/track.h"

namespace {
// No window to own a box: what would be one is said on standard error only.
void sayOnStandardErrorOnly(const char*, const char*) {}
}  // namespace

int pilotCommand(uint32_t circuit, std::ostream& out, std::ostream& err) {
    setMessageBoxHandler(sayOnStandardErrorOnly);
    if (!chooseDataFolder()) {
        err << "zentrix: the pilot races only with the game's data, found nowhere\n";
        return PILOT_FAILED_STATUS;
    }
    loadCraftModels();
    const Replay run = pilotRace(circuit);
    if (run.raceMs == 0) {
        err << "zentrix: the pilot did not finish three laps of " << circuitName(circuit) << "\n";
        return PILOT_FAILED_STATUS;
    }
    const std::string bytes = encodeReplay(run);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        err << "zentrix: the pilot's replay could not be written\n";
        return PILOT_FAILED_STATUS;
    }
    return 0;
}

bool refusePilotToTerminal(std::ostream& err) {
    if (isatty(STDOUT_FILENO) == 0) {
        return false;
    }
    err << "zentrix: --pilot writes a replay file, not text: send it to a file, as in\n"
           "  zentrix --pilot 7 > pilot.zxr\n";
    return true;
}
