#pragma once

#include <optional>
#include <ostream>
#include <string>

// How the race is put on the screen.
enum class DisplayChoice {
    Fullscreen,  // the display switched to 1024 x 768
    Desktop,     // the whole screen, left at the desktop's own resolution
    Windowed,    // a 1024 x 768 window among the others
};

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

// The display the player chose, read by the shell when it opens the window.
extern DisplayChoice gDisplayChoice;
