#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "saves/difficulty.h"
#include "screen/window_placement.h"
#include "track/track.h"
// What the command line asks of the program.
struct CommandLine {
    enum class Request { Play, Help, Version, Usage, TrackMap, Pilot, Medals, Verify, Watch, Send };
    Request request = Request::Play;
    DisplayChoice display = DisplayChoice::Fullscreen;
    bool displayGiven = false;             // a display option was given: it rules this run only
    bool timeTrial = false;                // --time-trial: the circuit alone on the road
    bool today = false;                    // --today: the board's circuit of the day, a time trial
    std::optional<Difficulty> difficulty;  // --difficulty, for this run only
    std::optional<uint32_t> championship;  // --championship N
    // The circuit to race (--track), to draw (--track-map), for the pilot
    // (--pilot) or whose medals to print (--medals).
    uint32_t circuit = CLASSIC_CIRCUIT;
    std::string replay;   // the replay to verify (--verify), watch (--replay) or send (--send)
    std::string refused;  // the argument that made it a usage error
    std::string refusedValueOf;  // the option whose value it was, if any
    std::string problem;         // what is wrong, in one line, for a usage error
};

// Options are read in order, a value after its option or joined to it by "="
// (--track=5); -h is --help. The last display option counts. --help, --version
// or the first fault ends the reading there. A fault is anything not
// understood, an option given twice, a value missing, or two options that say
// what the run is about (--track, --track-map, --pilot, --medals, --replay,
// --verify, --today, --send); --time-trial goes only with --track.
CommandLine parseCommandLine(int argc, const char* const* argv);

// A circuit as the player writes it: "classic", or a number from 0 to
// 4294967295 in plain decimal digits. Nothing for anything else.
std::optional<uint32_t> parseCircuitNumber(const char* text);

std::string usageText();
std::string versionText();

// Answers --help, --version, --track-map (circuit's map as SVG) and usage errors on out and err;
// a usage error is its one line and where to look for help, never the whole help.
// Returns the exit status when the program should end here, nothing when the race should start.
std::optional<int> answerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// The exit status of a command line the game does not understand.
constexpr int USAGE_EXIT_STATUS = 2;
