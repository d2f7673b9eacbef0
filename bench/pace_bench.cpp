// The real game loop's pace: the game window under a private Xvfb, frames
// rendered and paced exactly as in play, counted over wall-clock time.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>

#include "app/frame_pacer.h"
#include "app/game_frame.h"
#include "app/game_window.h"
#include "app/window.h"
#include "audio/sound.h"
#include "race/race.h"
#include "support/harness/private_xvfb.h"

namespace {

void BM_PacedGameLoop(benchmark::State& state) {
    if (!testsupport::startPrivateXvfb() || chdir(ZENTRIX_SOURCE_DIR) != 0 ||
        SDL_Init(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("no display");
        return;
    }
    if (openGameWindow(WindowContents::Game) == nullptr) {
        state.SkipWithError("no window");
        return;
    }

    // The first frames compile llvmpipe's shaders for each new state; skip
    // that one-off start-up cost and measure the race as it then runs.
    for (int i = 0; i < 120; ++i) {
        renderFrame();
    }

    for (auto _ : state) {
        SteadyPacerClock clock;
        FramePacer pacer(clock, GAME_TICKS_PER_SECOND);
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::seconds(10);
        int64_t frames = 0;
        while (std::chrono::steady_clock::now() < end) {
            if (runLoopTurn(pacer).has_value()) {
                break;  // the game ended
            }
            ++frames;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["ticks_per_second"] = frames / seconds;
        state.counters["late_frames"] = static_cast<double>(pacer.lateFrames());
    }
    destroyGameWindow();
    shutdownSound();
    SDL_Quit();
}
BENCHMARK(BM_PacedGameLoop)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
