// How long the game takes from exec to its first frame on screen, and how
// much memory it holds while racing, each beside the floor under it: a bare
// window with the game's attributes that shows one grey frame (bare_window).
// The two run alternately, so a slow moment of the machine falls on both. The
// game runs unchanged, from the source folder, on a private Xvfb with
// OpenAL's null device. The goals: the game's first frame at most 25 ms after
// the bare window's, and its peak memory at most 30 MiB above it.
//
// The first frame: this program watches the root window for the game's window
// to be mapped, then reads one row of it a little below the top every
// millisecond until a pixel shows that is neither black nor white. Xvfb's
// root weave and an unpainted window are only black and white; the sky of the
// first frame is not.
//
// Both run with scratch data and config homes, so neither the player's
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
constexpr double GOAL_MIB_OVER_FLOOR = 30.0;
constexpr double GIVE_UP_SECONDS = 30.0;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;  // the window may go away between the map and a read
}

const char* gGame = ZENTRIX_GAME;
const char* gBare = ZENTRIX_BARE_WINDOW;

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

void stopGame(pid_t pid) {
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

// The next top-level window mapped, or None when the time runs out.
Window waitForMap(Display* display, Clock::time_point start) {
    const int fd = ConnectionNumber(display);
    while (millisecondsSince(start) < GIVE_UP_SECONDS * 1000.0) {
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

// Milliseconds from exec to the first frame, or a negative number.
double timeToFirstFrame(Display* display, const char* program, pid_t* game) {
    XSync(display, True);  // forget older maps
    const Clock::time_point start = Clock::now();
    *game = startProgram(program);
    const Window window = waitForMap(display, start);
    if (window == None) {
        return -1.0;
    }
    while (millisecondsSince(start) < GIVE_UP_SECONDS * 1000.0) {
        if (showsColour(display, window)) {
            return millisecondsSince(start);
        }
        if (waitpid(*game, nullptr, WNOHANG) == *game) {
            *game = 0;
            return -1.0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
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
void printResidentByMapping(pid_t pid) {
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    std::map<std::string, long> resident;
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
    std::vector<std::pair<long, std::string>> sorted;
    for (const auto& [mapping, kb] : resident) {
        sorted.emplace_back(kb, mapping);
    }
    std::sort(sorted.rbegin(), sorted.rend());
    std::printf("resident now, by mapping (largest first):\n");
    for (size_t i = 0; i < sorted.size() && i < 12; ++i) {
        std::printf("  %8.1f MiB  %s\n", sorted[i].first / 1024.0, sorted[i].second.c_str());
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Figures {
    std::vector<double> startMs;
    std::vector<double> peakMiB;
};

// One run of a program: its first frame, or its peak memory after racing.
bool measure(Display* display, const char* program, bool memory, Figures& figures) {
    pid_t pid = 0;
    const double ms = timeToFirstFrame(display, program, &pid);
    if (ms < 0.0) {
        if (pid > 0) {
            stopGame(pid);
        }
        std::fprintf(stderr, "startup_bench: %s showed no frame\n", program);
        return false;
    }
    if (!memory) {
        figures.startMs.push_back(ms);
    } else {
        std::this_thread::sleep_for(std::chrono::duration<double>(RACING_SECONDS));
        figures.peakMiB.push_back(static_cast<double>(statusKilobytes(pid, "VmHWM")) / 1024.0);
        if (figures.peakMiB.size() == MEMORY_RUNS) {
            std::printf("%s:\n", program == gGame ? "game" : "bare window");
            printResidentByMapping(pid);
        }
    }
    stopGame(pid);
    return true;
}

void printAll(const char* what, const std::vector<double>& values) {
    std::printf("%-12s", what);
    for (double value : values) {
        std::printf(" %6.1f", value);
    }
    std::printf("\n");
}

void printAgainstGoal(const char* what, double floor, double game, double goal, const char* unit) {
    std::printf(
        "%s: bare window %.1f %s, game %.1f %s, difference %+.1f %s (goal: at most %+.0f): %s\n",
        what, floor, unit, game, unit, game - floor, unit, goal,
        game - floor <= goal ? "within the goal" : "over the goal");
}
}  // namespace

namespace {
int measureBoth() {
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

    Figures bare;
    Figures game;
    for (int run = 0; run < STARTUP_RUNS; ++run) {
        if (!measure(display, gBare, false, bare) || !measure(display, gGame, false, game)) {
            return 1;
        }
    }
    printAll("bare ms", bare.startMs);
    printAll("game ms", game.startMs);
    printAgainstGoal("median exec to first frame", median(bare.startMs), median(game.startMs),
                     GOAL_MS_OVER_FLOOR, "ms");

    for (int run = 0; run < MEMORY_RUNS; ++run) {
        if (!measure(display, gBare, true, bare) || !measure(display, gGame, true, game)) {
            return 1;
        }
    }
    printAll("bare MiB", bare.peakMiB);
    printAll("game MiB", game.peakMiB);
    printAgainstGoal("median peak resident after 20 s", median(bare.peakMiB), median(game.peakMiB),
                     GOAL_MIB_OVER_FLOOR, "MiB");
    XCloseDisplay(display);
    return 0;
}
}  // namespace

// Usage: startup_bench [GAME [BARE_WINDOW]], the programs built here unless given.
int main(int argc, char** argv) {
    if (argc > 1) {
        gGame = argv[1];
    }
    if (argc > 2) {
        gBare = argv[2];
    }
    char scratch[] = "/tmp/zentrix-startup-XXXXXX";
    if (mkdtemp(scratch) == nullptr) {
        std::fprintf(stderr, "startup_bench: no scratch folder\n");
        return 1;
    }
    setenv("XDG_DATA_HOME", (std::string(scratch) + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (std::string(scratch) + "/config").c_str(), 1);
    const int status = measureBoth();
    std::filesystem::remove_all(scratch);
    return status;
}
