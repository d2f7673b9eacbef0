#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "screen/window_placement.h"

// What the command line asks of the program.
struct CommandLine {
    enum class Request { Play, Help, Version, Usage };
    Request request = Request::Play;
    DisplayChoice display = DisplayChoice::Fullscreen;
    std::string refused;  // the argument that made it a usage error
};

// Options are read in order: the last display option wins, and --help,
// --version or anything not understood ends the reading there.
CommandLine parseCommandLine(int argc, const char* const* argv);

std::string usageText();
std::string versionText();

// Answers --help, --version and usage errors on out and err. Returns the exit
// status when the program should end here, nothing when the race should start.
std::optional<int> answerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// The exit status of a command line the game does not understand.
constexpr int USAGE_EXIT_STATUS = 2;
