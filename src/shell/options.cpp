#include "shell/options.h"

#include <cstring>

#include "track/circuit_generator.h"
#include "track/circuit_map.h"

std::optional<uint32_t> parseCircuitNumber(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    if (std::strcmp(text, "classic") == 0) {
        return CLASSIC_CIRCUIT;
    }
    if (*text == '\0') {
        return std::nullopt;
    }
    uint64_t number = 0;
    for (const char* digit = text; *digit != '\0'; ++digit) {
        if (*digit < '0' || *digit > '9') {
            return std::nullopt;
        }
        number = number * 10 + static_cast<uint64_t>(*digit - '0');
        if (number > UINT32_MAX) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(number);
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--track") == 0 || std::strcmp(argument, "--track-map") == 0) {
            const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
            const std::optional<uint32_t> circuit = parseCircuitNumber(value);
            if (!circuit) {
                line.request = CommandLine::Request::Usage;
                line.refused = value != nullptr ? value : "";
                line.refusedValueOf = argument;
                return line;
            }
            line.circuit = *circuit;
            ++i;
            if (std::strcmp(argument, "--track-map") == 0) {
                line.request = CommandLine::Request::TrackMap;
                return line;
            }
        } else if (std::strcmp(argument, "--verify") == 0 ||
                   std::strcmp(argument, "--replay") == 0) {
            if (i + 1 >= argc) {
                line.request = CommandLine::Request::Usage;
                line.refused = argument;
                return line;
            }
            line.replay = argv[++i];
            if (std::strcmp(argument, "--verify") == 0) {
                line.request = CommandLine::Request::Verify;
                return line;
            }
            line.request = CommandLine::Request::Watch;
        } else if (std::strcmp(argument, "--fullscreen") == 0) {
            line.display = DisplayChoice::Fullscreen;
            line.displayGiven = true;
        } else if (std::strcmp(argument, "--desktop") == 0) {
            line.display = DisplayChoice::Desktop;
            line.displayGiven = true;
        } else if (std::strcmp(argument, "--windowed") == 0) {
            line.display = DisplayChoice::Windowed;
            line.displayGiven = true;
        } else if (std::strcmp(argument, "--help") == 0) {
            line.request = CommandLine::Request::Help;
            return line;
        } else if (std::strcmp(argument, "--version") == 0) {
            line.request = CommandLine::Request::Version;
            return line;
        } else {
            line.request = CommandLine::Request::Usage;
            line.refused = argument;
            return line;
        }
    }
    return line;
}

std::string usageText() {
    return "Usage: zentrix [--fullscreen | --desktop | --windowed] [--track N]\n"
           "       zentrix [display option] --replay FILE\n"
           "       zentrix --track-map N | --verify FILE\n"
           "       zentrix --help | --version\n"
           "Race a hover-craft round a closed track against five computer craft.\n"
           "\n"
           "  --fullscreen  switch the screen to 1024 x 768 (the default; where the\n"
           "                screen has no such mode, --desktop instead)\n"
           "  --desktop     fill the screen, leaving its resolution as it is\n"
           "  --windowed    race in a resizable window\n"
           "  --track N     race circuit N, 0 to 4294967295; 0 or \"classic\" is the\n"
           "                classic track (the default)\n"
           "  --track-map N write circuit N's map as an SVG picture and exit\n"
           "  --replay FILE watch the replay FILE: P pause, F fast, B back 10 s,\n"
           "                R from the start, Esc quit\n"
           "  --verify FILE run the replay FILE again with no window and say whether\n"
           "                it ends as it says: 0 verified, 1 does not match,\n"
           "                2 not a replay the game can read\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "Keys: Up/Down accelerate and brake, Left/Right steer, Space fires,\n"
           "C changes the chase camera, V the cockpit view, P pauses, R races again,\n"
           "N (paused or finished) races the next circuit, Alt+Enter switches\n"
           "between a window and the whole screen, Esc quits. A gamepad drives too:\n"
           "left stick or d-pad steers, A or right trigger accelerates, B or left\n"
           "trigger brakes, X fires, Y changes the camera, Back the cockpit view.\n"
           "The game's data is looked for in $ZENTRIX_DATA_DIR, then ./data,\n"
           "then ../share/zentrix/data beside the executable.\n";
}

std::string versionText() {
    return "zentrix " ZENTRIX_VERSION "\n";
}

std::optional<int> answerCommandLine(const CommandLine& line, std::ostream& out,
                                     std::ostream& err) {
    switch (line.request) {
        case CommandLine::Request::Play:
        case CommandLine::Request::Verify:
        case CommandLine::Request::Watch:
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
            if (!line.refusedValueOf.empty()) {
                err << "zentrix: " << line.refusedValueOf << " wants a circuit number from 0 to "
                    << UINT32_MAX << " or 'classic'";
                err << (line.refused.empty() ? "\n" : ", not '" + line.refused + "'\n");
            } else if (line.refused.rfind("-", 0) == 0) {
                err << "zentrix: unknown option '" << line.refused << "'\n";
            } else {
                err << "zentrix: unexpected argument '" << line.refused << "'\n";
            }
            err << usageText();
            return USAGE_EXIT_STATUS;
    }
    return std::nullopt;
}
