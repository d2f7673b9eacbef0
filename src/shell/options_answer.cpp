#include "shell/options.h"

#include "track/circuit_generator.h"
#include "track/circuit_map.h"

std::string usageText() {
    return "Usage: zentrix [--fullscreen | --desktop | --windowed] [--difficulty NAME]\n"
           "               [--track N [--time-trial] | --championship N | --today]\n"
           "       zentrix [--fullscreen | --desktop | --windowed] --replay FILE\n"
           "       zentrix --track-map N | --pilot N > FILE | --medals N | --verify FILE\n"
           "       zentrix --send FILE\n"
           "       zentrix --help | -h | --version\n"
           "Race a hover-craft round a closed track against five computer craft.\n"
           "\n"
           "  --fullscreen  switch the screen to 1024 x 768 (the default; where the\n"
           "                screen has no such mode, --desktop instead)\n"
           "  --desktop     fill the screen, leaving its resolution as it is\n"
           "  --windowed    race in a resizable window\n"
           "  --track N     race circuit N, 0 to 4294967295; 0 or \"classic\" is the\n"
           "                classic track (the default)\n"
           "  --time-trial  a time trial: the circuit alone on the road, three laps\n"
           "                after a 3-2-1 countdown, against your best time trial's\n"
           "                ghost and the circuit's medal times\n"
           "  --championship N\n"
           "                race championship N, 0 to 4294967295: four circuits in a\n"
           "                row, points for every place (10, 8, 6, 5, 4, 3)\n"
           "  --today       a time trial of the world board's circuit of the day (the\n"
           "                board chosen in the settings; the classic circuit when\n"
           "                there is none or it does not answer)\n"
           "  --difficulty NAME\n"
           "                the opponents for this run: easy, normal or hard (the\n"
           "                pause menu's setting otherwise)\n"
           "  --track-map N write circuit N's map as an SVG picture and exit\n"
           "  --pilot N     the game's own pilot drives a time trial of circuit N with\n"
           "                no window; its run is written as a replay file to standard\n"
           "                output, for --verify or --replay\n"
           "  --medals N    print circuit N's medal times (pilot, gold, silver,\n"
           "                bronze), worked out from the pilot's time trial\n"
           "  --replay FILE watch the replay FILE: P pause, F fast, B back 10 s,\n"
           "                R from the start, C and V the cameras, Esc quit\n"
           "  --verify FILE run the replay FILE again with no window and say whether\n"
           "                it ends as it says: 0 verified, 1 does not match,\n"
           "                2 not a replay the game can read (FILE - reads it\n"
           "                from standard input)\n"
           "  --send FILE   send the time trial FILE to the world board chosen in the\n"
           "                settings, under the player's name there, print where it\n"
           "                stands and exit: 0 taken, 1 refused (the board's reason),\n"
           "                2 the board not reached or none chosen\n"
           "  -h, --help    show this help and exit\n"
           "  --version     show the version and exit\n"
           "An option's value may follow it or be joined to it: --track=5.\n"
           "The last display option counts; any other option may be given once, and\n"
           "only one of --track, --track-map, --pilot, --medals, --championship,\n"
           "--replay, --verify, --today and --send; --time-trial goes with --track\n"
           "alone, and --difficulty with --track or --championship.\n"
           "\n"
           "Keys: Up/Down accelerate and brake, Left/Right steer, Space fires,\n"
           "C changes the chase camera, V the cockpit view, M shows the track map,\n"
           "G the ghost, P pauses (the pause menu), R races again, N (paused or\n"
           "finished) races the next circuit, F12 saves a screenshot, Alt+Enter\n"
           "switches between a window and the whole screen, Esc quits. The pause\n"
           "menu's Settings choose other keys. A gamepad drives too: left stick or\n"
           "d-pad steers, A or right trigger accelerates, B or left trigger brakes,\n"
           "X fires, Y changes the camera, Back the cockpit view, Start pauses, the\n"
           "left shoulder shows the ghost.\n"
           "The game's data is looked for in $ZENTRIX_DATA_DIR, then ./data,\n"
           "then ../share/zentrix/data beside the executable.\n"
           "With a world board chosen in the pause menu's settings (Board, Player),\n"
           "your best time trials go to it and the circuit page lists its best runs;\n"
           "with none, the game makes no network connection at all.\n";
}

std::optional<int> answerCommandLine(const CommandLine& line, std::ostream& out,
                                     std::ostream& err) {
    switch (line.request) {
        case CommandLine::Request::Play:
        case CommandLine::Request::Pilot:
        case CommandLine::Request::Medals:
        case CommandLine::Request::Verify:
        case CommandLine::Request::Watch:
        case CommandLine::Request::Send:
            return std::nullopt;
        case CommandLine::Request::Help:
            out << usageText();
            return 0;
        case CommandLine::Request::Version:
            out << versionText();
            return 0;
        case CommandLine::Request::TrackMap:
            out << circuitMapSvg(growCircuit(line.circuit).track);
            return 0;
        case CommandLine::Request::Usage:
            // The one fault stays on the screen: the help is one command away.
            err << "zentrix: " << line.problem << "\n"
                << "Try 'zentrix --help' for more information.\n";
            return USAGE_EXIT_STATUS;
    }
    return std::nullopt;
}
