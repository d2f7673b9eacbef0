#include <iostream>
#include <optional>

#include "menu/player_settings.h"
#include "saves/settings_store.h"
#include "screen/message_box.h"
#include "session/race_commands.h"
#include "shell/data_folder_choice.h"
#include "shell/options.h"
#include "shell/pilot_command.h"
#include "shell/verify_command.h"
#include "shell/window.h"
#include "shell/world_commands.h"
#include "trace/startup_trace.h"
#include "track/circuit_generator.h"

int main(int argc, char** argv) {
    traceStartup("main");
    showMessagesInBoxes();
    const CommandLine line = parseCommandLine(argc, argv);
    if (const std::optional<int> status = answerCommandLine(line, std::cout, std::cerr)) {
        return *status;
    }
    if (line.request == CommandLine::Request::Pilot) {
        if (refusePilotToTerminal(std::cerr)) {
            return USAGE_EXIT_STATUS;
        }
        return pilotCommand(line.circuit, std::cout, std::cerr);
    }
    if (line.request == CommandLine::Request::Medals) {
        return medalsCommand(line.circuit, std::cout, std::cerr);
    }
    if (line.request == CommandLine::Request::Verify) {
        return verifyReplayCommand(line.replay, std::cin, std::cout, std::cerr);
    }
    if (line.request == CommandLine::Request::Send) {
        const Settings settings = loadPlayerSettings().settings();
        return sendReplayCommand(line.replay, {settings.board, settings.player}, std::cout,
                                 std::cerr);
    }
    gDisplayChoice = line.display;
    loadSettingsForThisRun(line.displayGiven, line.difficulty);
    // Asked before the window opens, within the board's bounds: no race waits on it.
    raceOnCircuit(line.today ? circuitOfTheDayOrClassic(worldChoice(), std::cerr) : line.circuit);
    chooseRaceMode(line.timeTrial || line.today ? RaceMode::TimeTrial : RaceMode::Race);
    if (line.championship) {
        startWithChampionship(*line.championship);
    }
    if (line.request == CommandLine::Request::Watch && !watchReplayFile(line.replay)) {
        return REPLAY_UNREADABLE_STATUS;
    }
    if (!chooseDataFolder()) {
        return NO_DATA_EXIT_STATUS;
    }
    traceStartup("data folder found, settings read");
    // Watching a replay sends nothing and lists nothing.
    const bool playing = line.request == CommandLine::Request::Play;
    if (playing) {
        linkTheWorld();
    }
    const int status = gameMain();
    if (playing) {
        unlinkTheWorld();
    }
    return status;
}
