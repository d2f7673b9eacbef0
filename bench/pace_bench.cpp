// The real game loop's pace: the game window under a private Xvfb, the race
// ticked and its frames drawn and paced exactly as in play, over wall-clock
// time. Prints ticks and frames a second and the 99th percentile of the
// interval between shown frames: at the pace the game picks for this display,
// at a forced 144 frames a second, and with both cores kept busy by other
// processes, and while the game's sends to a board that never answers are
// under way.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "audio/sound.h"
#include "race/race.h"
#include "screen/game_window.h"
#include "shell/draw_pacing.h"
#include "shell/game_frame.h"
#include "shell/loop_pacer.h"
#include "support/harness/private_xvfb.h"
#include "world/world_sender.h"

namespace {

using Clock = std::chrono::steady_clock;

bool openTheGame() {
    static bool opened = false;
    if (opened) {
        return true;
    }
    if (!testsupport::startPrivateXvfb() || chdir(ZENTRIX_SOURCE_DIR) != 0 ||
        SDL_Init(SDL_INIT_VIDEO) != 0 || openGameWindow(WindowContents::Game) == nullptr) {
        return false;
    }
    // The first frames compile llvmpipe's shaders for each new state; skip
    // that one-off start-up cost and measure the race as it then runs.
    for (int i = 0; i < 120; ++i) {
        renderFrame();
    }
    opened = true;
    return true;
}

// Processes that spin on every core until killed.
std::vector<pid_t> keepTheCoresBusy() {
    std::vector<pid_t> spinners;
    const long cores = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
    for (long i = 0; i < cores; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            volatile unsigned long spin = 0;
            for (;;) {
                spin = spin + 1;
            }
        }
        if (pid > 0) {
            spinners.push_back(pid);
        }
    }
    return spinners;
}

void stopSpinners(const std::vector<pid_t>& spinners) {
    for (pid_t pid : spinners) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(p * static_cast<double>(values.size() - 1));
    return values[index];
}

// Ten seconds (or those given) of the loop's own turns, with the moment each
// frame was shown.
void raceTenSeconds(benchmark::State& state, DrawPacing pacing, int seconds = 10) {
    SteadyPacerClock clock;
    LoopPacer pacer(clock, RACE_TICKS_PER_SECOND, pacing);
    std::vector<double> intervalsMs;
    int64_t frames = 0;
    const int64_t ticksBefore = gRaceTicks;
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    auto lastShown = start;
    while (Clock::now() < end) {
        SDL_PumpEvents();
        for (int due = pacer.takeDueTicks(); due > 0; --due) {
            runRaceTick();
        }
        drawGameFrame(pacer.drawBlend());
        const auto shown = Clock::now();
        if (frames > 0) {
            intervalsMs.push_back(
                std::chrono::duration<double, std::milli>(shown - lastShown).count());
        }
        lastShown = shown;
        ++frames;
        pacer.waitForNextDraw();
    }
    const double raced = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["ticks_per_s"] = static_cast<double>(gRaceTicks - ticksBefore) / raced;
    state.counters["frames_per_s"] = static_cast<double>(frames) / raced;
    state.counters["frame_interval_p99_ms"] = percentile(intervalsMs, 0.99);
    state.counters["frame_interval_median_ms"] = percentile(intervalsMs, 0.5);
    state.counters["dropped_ticks"] = static_cast<double>(pacer.droppedTicks());
    state.counters["display_paces"] = pacer.displayPaces() ? 1.0 : 0.0;
}

void BM_PaceAsTheGamePicks(benchmark::State& state) {
    if (!openTheGame()) {
        state.SkipWithError("no display or window");
        return;
    }
    for (auto _ : state) {
        const DrawPacing pacing = chooseDrawPacing(SDL_GL_GetCurrentWindow());
        state.counters["draw_rate"] = pacing.drawsPerSecond;
        raceTenSeconds(state, pacing);
    }
}
BENCHMARK(BM_PaceAsTheGamePicks)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_PaceAtAForced144(benchmark::State& state) {
    if (!openTheGame()) {
        state.SkipWithError("no display or window");
        return;
    }
    for (auto _ : state) {
        SDL_GL_SetSwapInterval(0);
        raceTenSeconds(state, DrawPacing{144, false});
    }
}
BENCHMARK(BM_PaceAtAForced144)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_PaceWithEveryCoreBusy(benchmark::State& state) {
    if (!openTheGame()) {
        state.SkipWithError("no display or window");
        return;
    }
    for (auto _ : state) {
        const DrawPacing pacing = chooseDrawPacing(SDL_GL_GetCurrentWindow());
        const std::vector<pid_t> spinners = keepTheCoresBusy();
        raceTenSeconds(state, pacing);
        stopSpinners(spinners);
        state.counters["busy_processes"] = static_cast<double>(spinners.size());
    }
}
BENCHMARK(BM_PaceWithEveryCoreBusy)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A board that takes the connection and never answers: every send stays
// under way until its time runs out, the worst a board can do to the game.
int silentBoard(uint16_t& port) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        listen(listener, 16) != 0) {
        close(listener);
        return -1;
    }
    port = ntohs(address.sin_port);
    return listener;
}

void BM_PaceWhileSendsAreUnderWay(benchmark::State& state) {
    if (!openTheGame()) {
        state.SkipWithError("no display or window");
        return;
    }
    char home[] = "/tmp/zentrix-pace-XXXXXX";
    uint16_t port = 0;
    const int board = silentBoard(port);
    if (mkdtemp(home) == nullptr || board < 0) {
        state.SkipWithError("no folder or socket for the board");
        return;
    }
    setenv("XDG_DATA_HOME", home, 1);
    setenv("XDG_CONFIG_HOME", home, 1);
    for (auto _ : state) {
        startWorldSender({"http://127.0.0.1:" + std::to_string(port), "Ann"});
        for (uint32_t circuit = 1; circuit <= 4; ++circuit) {
            Replay best;
            best.circuit = circuit;
            best.mode = RaceMode::TimeTrial;
            best.craftParts = 6;
            best.controls.assign(600, ReplayControls{ReplayControls::ACCELERATE});
            sendBestToTheWorld(best);
        }
        // Five seconds, inside the first send's six before it gives up.
        raceTenSeconds(state, chooseDrawPacing(SDL_GL_GetCurrentWindow()), 5);
        state.counters["send_under_way_at_end"] =
            worldLineFor(1).value_or("") == "sent" ? 1.0 : 0.0;
        stopWorldSender();
    }
    close(board);
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_PaceWhileSendsAreUnderWay)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
