#include "shell/options.h"

#include <cstring>
#include <vector>

#include "track/circuit_generator.h"

namespace {
enum class Option {
    Fullscreen,
    Desktop,
    Windowed,
    Track,
    TrackMap,
    Pilot,
    Medals,
    TimeTrial,
    Championship,
    Difficulty,
    Replay,
    Verify,
    Today,
    Send,
    Help,
    Version
};

struct OptionName {
    const char* name;
    Option option;
    bool takesValue;
};

constexpr OptionName OPTIONS[] = {
    {"--fullscreen", Option::Fullscreen, false},
    {"--desktop", Option::Desktop, false},
    {"--windowed", Option::Windowed, false},
    {"--track", Option::Track, true},
    {"--track-map", Option::TrackMap, true},
    {"--pilot", Option::Pilot, true},
    {"--medals", Option::Medals, true},
    {"--time-trial", Option::TimeTrial, false},
    {"--championship", Option::Championship, true},
    {"--difficulty", Option::Difficulty, true},
    {"--replay", Option::Replay, true},
    {"--verify", Option::Verify, true},
    {"--today", Option::Today, false},
    {"--send", Option::Send, true},
    {"--help", Option::Help, false},
    {"-h", Option::Help, false},
    {"--version", Option::Version, false},
};

const OptionName* optionNamed(const std::string& name) {
    for (const OptionName& option : OPTIONS) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

// Each of these says what the run is about (a circuit raced, a map drawn,
// the pilot's run written, medals printed, a replay watched or verified), so
// no two of them go together.
bool choosesTheRun(Option option) {
    return option == Option::Track || option == Option::TrackMap || option == Option::Pilot ||
           option == Option::Medals || option == Option::Championship || option == Option::Replay ||
           option == Option::Verify || option == Option::Today || option == Option::Send;
}

// One argument taken apart: "--track=5" is the option "--track" and its value "5".
struct Argument {
    std::string name;
    std::optional<std::string> value;
};

Argument splitArgument(const char* text) {
    const char* equals = std::strncmp(text, "--", 2) == 0 ? std::strchr(text, '=') : nullptr;
    if (equals == nullptr) {
        return {text, std::nullopt};
    }
    return {std::string(text, equals), std::string(equals + 1)};
}

CommandLine refusal(CommandLine line, const std::string& refused, const std::string& problem) {
    line.request = CommandLine::Request::Usage;
    line.refused = refused;
    line.problem = problem;
    return line;
}

std::string circuitWanted(const std::string& option, const std::optional<std::string>& value) {
    const std::string wanted =
        option == "--championship"
            ? option + " wants a championship number from 0 to " + std::to_string(UINT32_MAX)
            : option + " wants a circuit number from 0 to " + std::to_string(UINT32_MAX) +
                  " or 'classic'";
    return value ? wanted + ", not '" + *value + "'" : wanted;
}
}  // namespace

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

std::string versionText() {
    return "zentrix " ZENTRIX_VERSION "\n";
}

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    std::vector<std::string> given;
    std::string runChosenBy;  // the option that said what the run is about
    for (int i = 1; i < argc; ++i) {
        const Argument argument = splitArgument(argv[i]);
        const OptionName* option = optionNamed(argument.name);
        if (option == nullptr) {
            const bool looksLikeAnOption = argv[i][0] == '-' && argv[i][1] != '\0';
            return refusal(line, argv[i],
                           (looksLikeAnOption ? "unknown option '" : "unexpected argument '") +
                               std::string(argv[i]) + "'");
        }
        if (argument.value && !option->takesValue) {
            return refusal(line, argv[i], argument.name + " takes no value");
        }
        if (option->option == Option::Help || option->option == Option::Version) {
            line.request = option->option == Option::Help ? CommandLine::Request::Help
                                                          : CommandLine::Request::Version;
            return line;
        }
        for (const std::string& earlier : given) {
            if (earlier == argument.name) {
                return refusal(line, argv[i], argument.name + " is given twice");
            }
        }
        given.push_back(argument.name);
        if (choosesTheRun(option->option)) {
            if (!runChosenBy.empty()) {
                return refusal(line, argv[i],
                               runChosenBy + " and " + argument.name + " cannot go together");
            }
            runChosenBy = argument.name;
        }

        std::optional<std::string> value = argument.value;
        if (option->takesValue && !value && i + 1 < argc) {
            value = argv[++i];
        }
        switch (option->option) {
            case Option::Fullscreen:
            case Option::Desktop:
            case Option::Windowed:
                // The display options are one choice: the last one given counts.
                line.display = option->option == Option::Fullscreen ? DisplayChoice::Fullscreen
                               : option->option == Option::Desktop  ? DisplayChoice::Desktop
                                                                    : DisplayChoice::Windowed;
                line.displayGiven = true;
                break;
            case Option::TimeTrial:
                line.timeTrial = true;
                break;
            case Option::Difficulty: {
                const std::optional<::Difficulty> difficulty =
                    value ? difficultyNamed(*value) : std::nullopt;
                if (!difficulty) {
                    CommandLine refused =
                        refusal(line, value.value_or(""),
                                "--difficulty wants easy, normal or hard" +
                                    (value ? ", not '" + *value + "'" : std::string()));
                    refused.refusedValueOf = argument.name;
                    return refused;
                }
                line.difficulty = *difficulty;
                break;
            }
            case Option::Track:
            case Option::TrackMap:
            case Option::Pilot:
            case Option::Medals:
            case Option::Championship: {
                const std::optional<uint32_t> circuit =
                    parseCircuitNumber(value ? value->c_str() : nullptr);
                if (!circuit) {
                    CommandLine refused =
                        refusal(line, value.value_or(""), circuitWanted(argument.name, value));
                    refused.refusedValueOf = argument.name;
                    return refused;
                }
                line.circuit = *circuit;
                if (option->option == Option::TrackMap) {
                    line.request = CommandLine::Request::TrackMap;
                } else if (option->option == Option::Pilot) {
                    line.request = CommandLine::Request::Pilot;
                } else if (option->option == Option::Medals) {
                    line.request = CommandLine::Request::Medals;
                } else if (option->option == Option::Championship) {
                    line.championship = *circuit;
                }
                break;
            }
            case Option::Today:
                line.today = true;
                break;
            case Option::Replay:
            case Option::Verify:
            case Option::Send:
                // "--verify --track 5" names no file: the option after it is no replay.
                if (!value || value->empty() || (!argument.value && value->rfind("--", 0) == 0)) {
                    CommandLine refused =
                        refusal(line, argument.name, argument.name + " needs a replay file");
                    refused.refusedValueOf = argument.name;
                    return refused;
                }
                line.replay = *value;
                line.request = option->option == Option::Verify ? CommandLine::Request::Verify
                               : option->option == Option::Send ? CommandLine::Request::Send
                                                                : CommandLine::Request::Watch;
                break;
            case Option::Help:
            case Option::Version:
                break;
        }
    }
    // A time trial is a way to race a circuit, the only run it goes with;
    // the opponents' difficulty is for races and championships.
    if (line.timeTrial && !runChosenBy.empty() && runChosenBy != "--track") {
        return refusal(line, "--time-trial",
                       "--time-trial and " + runChosenBy + " cannot go together");
    }
    if (line.difficulty && !runChosenBy.empty() && runChosenBy != "--track" &&
        runChosenBy != "--championship") {
        return refusal(line, "--difficulty",
                       "--difficulty and " + runChosenBy + " cannot go together");
    }
    return line;
}
