#include <iostream>
#include <optional>

#include "menu/player_settings.h"
#include "screen/message_box.h"
#include "session/race_commands.h"
#include "shell/data_folder_choice.h"
#include "shell/options.h"
#include "shell/pilot_command.h"
#include "shell/verify_command.h"
#include "shell/window.h"
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
    gDisplayChoice = line.display;
    loadSettingsForThisRun(line.displayGiven, line.difficulty);
    raceOnCircuit(line.circuit);
    chooseRaceMode(line.timeTrial ? RaceMode::TimeTrial : RaceMode::Race);
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
    return gameMain();
}
