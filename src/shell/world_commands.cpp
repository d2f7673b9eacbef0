#include "shell/world_commands.h"

#include "menu/player_settings.h"
#include "saves/replay_file.h"
#include "session/race_recording.h"
#include "track/track.h"
#include "world/world_fetch.h"

int sendReplayCommand(const std::string& path, const WorldChoice& choice, std::ostream& out,
                      std::ostream& err) {
    if (choice.board.empty() || choice.player.empty()) {
        err << "zentrix: --send needs a board and a player name: choose them in the pause "
               "menu's settings, or as board and player in settings.ini\n";
        return SEND_UNREACHABLE_STATUS;
    }
    const ReplayRead read = readReplayFile(path);
    if (read.status != ReplayStatus::Valid) {
        err << "zentrix: " << read.problem << "\n";
        return SEND_UNREACHABLE_STATUS;
    }
    const WorldSend sent =
        sendRunToTheWorld(choice, encodeReplay(read.replay), read.replay.circuit);
    out << sent.line << "\n";
    switch (sent.outcome) {
        case WorldSend::Outcome::Accepted:
            return 0;
        case WorldSend::Outcome::Refused:
            return SEND_REFUSED_STATUS;
        case WorldSend::Outcome::Unreachable:
            break;
    }
    return SEND_UNREACHABLE_STATUS;
}

uint32_t circuitOfTheDayOrClassic(const WorldChoice& choice, std::ostream& err) {
    if (choice.board.empty()) {
        err << "zentrix: --today needs a board: choose one in the pause menu's settings, or as "
               "board in settings.ini; racing the classic circuit\n";
        return CLASSIC_CIRCUIT;
    }
    std::string problem;
    const std::optional<uint32_t> today = circuitOfTheDayFrom(choice, problem);
    if (!today) {
        err << "zentrix: no circuit of the day: " << problem << "; racing the classic circuit\n";
        return CLASSIC_CIRCUIT;
    }
    return *today;
}

void linkTheWorld() {
    whenABestIsKept([](const Replay& best) {
        // Races are the player's own; the world board keeps time trials.
        if (best.mode == RaceMode::TimeTrial) {
            sendBestToTheWorld(best);
        }
    });
    startTheWorld();
}

void unlinkTheWorld() {
    whenABestIsKept(nullptr);
    stopWorldSender();
    stopWorldFetches();
}
