// How long the game takes from exec to its first frame on screen, and how
// much memory it holds while racing, each beside the floors under it: a bare
// window with the game's attributes that shows one grey frame (bare_window),
// and the full floor, which also uploads the game's textures, lights and
// blends quads with them and loops a sound (full_floor). They run
// alternately, so a slow moment of the machine falls on all of them. The game
// runs unchanged, from the source folder, on a private Xvfb with OpenAL's null
// device. The goals: the game's first frame at most 25 ms after the bare
// window's, and its peak memory at most 12 MiB above the full floor's.
//
// The first frame: this program watches the root window for the game's window
// to be mapped, then reads one row of it a little below the top every
// millisecond until a pixel shows that is neither black nor white. Xvfb's
// root weave and an unpainted window are only black and white; the sky of the
// first frame is not.
//
// All run with scratch data and config homes, so neither the player's
// records and ghost nor their settings change what is measured, and the game's
// replays are not left in their home.
//
// The memory: after the game has raced for a while, VmHWM (peak resident set)
// from /proc/PID/status, and the resident set by mapping from /proc/PID/smaps.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/harness/private_xvfb.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr int STARTUP_RUNS = 10;
constexpr int MEMORY_RUNS = 3;
constexpr double RACING_SECONDS = 20.0;
constexpr double GOAL_MS_OVER_FLOOR = 25.0;
constexpr double GOAL_MIB_OVER_FULL_FLOOR = 12.0;
constexpr double GIVE_UP_SECONDS = 30.0;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;  // the window may go away between the map and a read
}

// The resident kilobytes of one process, by what is mapped.
using Mappings = std::map<std::string, long>;

struct Program {
    const char* name;
    const char* path;
    std::vector<double> startMs;
    std::vector<double> peakMiB;
    Mappings lastMappings;  // after the last memory run
};

Program gGame{"game", ZENTRIX_GAME, {}, {}, {}};
Program gBare{"bare window", ZENTRIX_BARE_WINDOW, {}, {}, {}};
Program gFullFloor{"full floor", ZENTRIX_FULL_FLOOR, {}, {}, {}};

pid_t startProgram(const char* program) {
    std::fflush(nullptr);  // or the child would write what is buffered here again
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(ZENTRIX_SOURCE_DIR) != 0) {
            _exit(126);
        }
        std::freopen("/dev/null", "w", stdout);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// True, saying so, when the program has already ended.
bool reportIfEnded(pid_t pid, const Program& program) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) {
        return false;
    }
    if (WIFEXITED(status)) {
        std::fprintf(stderr, "startup_bench: %s (%s) ended with exit status %d%s\n", program.name,
                     program.path, WEXITSTATUS(status),
                     WEXITSTATUS(status) == 127 ? " (it could not be run)" : "");
    } else {
        std::fprintf(stderr, "startup_bench: %s (%s) was ended by signal %d\n", program.name,
                     program.path, WTERMSIG(status));
    }
    return true;
}

void stopProgram(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// The next top-level window mapped, or None when the time runs out or the
// program ends first (*ended then says so).
Window waitForMap(Display* display, Clock::time_point start, pid_t pid, const Program& program,
                  bool* ended) {
    const int fd = ConnectionNumber(display);
    while (millisecondsSince(start) < GIVE_UP_SECONDS * 1000.0) {
        if (reportIfEnded(pid, program)) {
            *ended = true;
            return None;
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                return event.xmap.window;
            }
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval wait{0, 1000};
        select(fd + 1, &fds, nullptr, nullptr, &wait);
    }
    return None;
}

bool showsColour(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        attributes.map_state != IsViewable) {
        return false;
    }
    XImage* row = XGetImage(display, window, 0, attributes.height / 8,
                            static_cast<unsigned>(attributes.width), 1, AllPlanes, ZPixmap);
    if (row == nullptr) {
        return false;
    }
    bool colour = false;
    for (int x = 0; x < attributes.width && !colour; ++x) {
        const unsigned long p = XGetPixel(row, x, 0) & 0xffffff;
        colour = p != 0 && p != 0xffffff;
    }
    XDestroyImage(row);
    return colour;
}

// Milliseconds from exec to the first frame, or a negative number; *pid is 0
// when the program has ended (or never started), which has been reported.
double timeToFirstFrame(Display* display, const Program& program, pid_t* pid) {
    XSync(display, True);  // forget older maps
    const Clock::time_point start = Clock::now();
    *pid = startProgram(program.path);
    if (*pid < 0) {
        std::fprintf(stderr, "startup_bench: cannot start %s: no fork\n", program.name);
        *pid = 0;
        return -1.0;
    }
    bool ended = false;
    const Window window = waitForMap(display, start, *pid, program, &ended);
    while (window != None && !ended && millisecondsSince(start) < GIVE_UP_SECONDS * 1000.0) {
        if (showsColour(display, window)) {
            return millisecondsSince(start);
        }
        ended = reportIfEnded(*pid, program);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (ended) {
        *pid = 0;
    }
    return -1.0;
}

long statusKilobytes(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0) {
            return std::atol(line.c_str() + field.size() + 1);
        }
    }
    return -1;
}

// Resident kilobytes by what is mapped: a library, the heap, anonymous memory.
Mappings residentByMapping(pid_t pid) {
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    Mappings resident;
    std::string line;
    std::string name;
    while (std::getline(smaps, line)) {
        std::istringstream fields(line);
        std::string first;
        fields >> first;
        if (first.find('-') != std::string::npos && first.back() != ':') {
            std::string skip;
            fields >> skip >> skip >> skip >> skip;
            std::getline(fields, name);
            name.erase(0, name.find_first_not_of(' '));
            if (name.empty()) {
                name = "[anonymous]";
            }
            name = name.substr(name.rfind('/') + 1);
        } else if (first == "Rss:") {
            long kb = 0;
            fields >> kb;
            resident[name] += kb;
        }
    }
    return resident;
}

long kilobytesOf(const Mappings& mappings, const std::string& name) {
    const auto found = mappings.find(name);
    return found == mappings.end() ? 0 : found->second;
}

// Where the game's resident memory differs from the floor's, by mapping, the
// largest differences first, after the last memory run of each.
void printMappingsBeside(const Program& floor, const Program& game) {
    Mappings names = floor.lastMappings;
    names.insert(game.lastMappings.begin(), game.lastMappings.end());
    std::vector<std::pair<long, std::string>> sorted;
    long floorTotal = 0;
    long gameTotal = 0;
    for (const auto& entry : names) {
        const long floorKb = kilobytesOf(floor.lastMappings, entry.first);
        const long gameKb = kilobytesOf(game.lastMappings, entry.first);
        floorTotal += floorKb;
        gameTotal += gameKb;
        sorted.emplace_back(std::labs(gameKb - floorKb), entry.first);
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::printf("resident at the end, by mapping (largest difference first), MiB:\n");
    std::printf("  %10s %10s %10s\n", floor.name, game.name, "difference");
    for (size_t i = 0; i < sorted.size() && i < 12; ++i) {
        const std::string& name = sorted[i].second;
        const long floorKb = kilobytesOf(floor.lastMappings, name);
        const long gameKb = kilobytesOf(game.lastMappings, name);
        std::printf("  %10.1f %10.1f %+10.1f  %s\n", floorKb / 1024.0, gameKb / 1024.0,
                    (gameKb - floorKb) / 1024.0, name.c_str());
    }
    std::printf("  %10.1f %10.1f %+10.1f  (all mappings)\n", floorTotal / 1024.0,
                gameTotal / 1024.0, (gameTotal - floorTotal) / 1024.0);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One run of a program: its first frame, or its peak memory after racing.
bool measure(Display* display, Program& program, bool memory) {
    pid_t pid = 0;
    const double ms = timeToFirstFrame(display, program, &pid);
    if (ms < 0.0) {
        if (pid > 0) {
            stopProgram(pid);
            std::fprintf(stderr, "startup_bench: %s (%s) showed no frame in %.0f s\n", program.name,
                         program.path, GIVE_UP_SECONDS);
        }
        return false;
    }
    if (!memory) {
        program.startMs.push_back(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::duration<double>(RACING_SECONDS));
        if (reportIfEnded(pid, program)) {
            return false;
        }
        program.peakMiB.push_back(static_cast<double>(statusKilobytes(pid, "VmHWM")) / 1024.0);
        program.lastMappings = residentByMapping(pid);
    }
    stopProgram(pid);
    return true;
}

// One run of each, in turn, so a slow moment of the machine falls on all.
bool measureInTurn(Display* display, const std::vector<Program*>& programs, int runs, bool memory) {
    for (int run = 0; run < runs; ++run) {
        for (Program* program : programs) {
            if (!measure(display, *program, memory)) {
                return false;
            }
        }
    }
    return true;
}

void printAll(const std::string& what, const std::vector<double>& values) {
    std::printf("%-15s", what.c_str());
    for (double value : values) {
        std::printf(" %6.1f", value);
    }
    std::printf("\n");
}

const char* judged(double overFloor, double goal) {
    return overFloor <= goal ? "within the goal" : "over the goal";
}
}  // namespace

namespace {
int measureAll() {
    if (!testsupport::startPrivateXvfb()) {
        std::fprintf(stderr, "startup_bench: no Xvfb\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "startup_bench: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const std::vector<Program*> programs = {&gBare, &gFullFloor, &gGame};

    if (!measureInTurn(display, programs, STARTUP_RUNS, false)) {
        return 1;
    }
    for (const Program* program : programs) {
        printAll(std::string(program->name) + " ms", program->startMs);
    }
    const double bareMs = median(gBare.startMs);
    const double gameMs = median(gGame.startMs);
    std::printf(
        "median exec to first frame: bare window %.1f ms, full floor %.1f ms, game %.1f ms; "
        "game over the bare window %+.1f ms (goal: at most %+.0f): %s\n",
        bareMs, median(gFullFloor.startMs), gameMs, gameMs - bareMs, GOAL_MS_OVER_FLOOR,
        judged(gameMs - bareMs, GOAL_MS_OVER_FLOOR));

    if (!measureInTurn(display, programs, MEMORY_RUNS, true)) {
        return 1;
    }
    for (const Program* program : programs) {
        printAll(std::string(program->name) + " MiB", program->peakMiB);
    }
    const double bareMiB = median(gBare.peakMiB);
    const double floorMiB = median(gFullFloor.peakMiB);
    const double gameMiB = median(gGame.peakMiB);
    std::printf(
        "median peak resident after %.0f s: bare window %.1f MiB, full floor %.1f MiB, game "
        "%.1f MiB; game over the bare window %+.1f MiB, over the full floor %+.1f MiB (goal: at "
        "most %+.0f over the full floor): %s\n",
        RACING_SECONDS, bareMiB, floorMiB, gameMiB, gameMiB - bareMiB, gameMiB - floorMiB,
        GOAL_MIB_OVER_FULL_FLOOR, judged(gameMiB - floorMiB, GOAL_MIB_OVER_FULL_FLOOR));
    printMappingsBeside(gFullFloor, gGame);
    XCloseDisplay(display);
    return 0;
}
}  // namespace

// Usage: startup_bench [GAME [BARE_WINDOW [FULL_FLOOR]]], the programs built
// here unless given.
int main(int argc, char** argv) {
    if (argc > 1) {
        gGame.path = argv[1];
    }
    if (argc > 2) {
        gBare.path = argv[2];
    }
    if (argc > 3) {
        gFullFloor.path = argv[3];
    }
    char scratch[] = "/tmp/zentrix-startup-XXXXXX";
    if (mkdtemp(scratch) == nullptr) {
        std::fprintf(stderr, "startup_bench: no scratch folder\n");
        return 1;
    }
    setenv("XDG_DATA_HOME", (std::string(scratch) + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (std::string(scratch) + "/config").c_str(), 1);
    const int status = measureAll();
    std::filesystem::remove_all(scratch);
    return status;
}
