// Full frames drawn back to back, unpaced, in a 1024 x 768 window on a private
// Xvfb with Mesa's software renderer, and the parts of a frame one by one.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/display.h"
#include "app/game_frame.h"
#include "race/camera.h"
#include "race/opponent.h"
#include "race/player.h"
#include "race/race.h"
#include "render/camera_view.h"
#include "render/craft_draw.h"
#include "render/scene.h"
#include "render/skybox.h"
#include "render/track_draw.h"
#include "support/harness/private_xvfb.h"
#include "track/track.h"

namespace {

bool openGameWindow() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    setupPixelFormat();
    SDL_Window* window = SDL_CreateWindow("Zentrix", 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (window == nullptr) {
        return false;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
    gWindow = window;
    gDeviceContext = window;
    gRenderContext = context;
    initGlState();
    // The game reads its data relative to where it runs.
    if (chdir(ZENTRIX_SOURCE_DIR) != 0) {
        return false;
    }
    setupScene();
    resizeViewport(SCREEN_WIDTH, SCREEN_HEIGHT);
    return true;
}

void loadView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, 1.3, 1.0, 1900000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    placeLights();
}

// Times one piece of drawing including the rasterising it causes.
template <typename Draw>
void timeDrawing(benchmark::State& state, Draw draw) {
    for (auto _ : state) {
        loadView();
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        draw();
        glFinish();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
    }
}

void BM_FullFrame(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        renderFrame();
        glFinish();
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
    }
}

void BM_ClearAndSwap(benchmark::State& state) {
    timeDrawing(state, [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapWindow(gWindow);
    });
}

void BM_Skybox(benchmark::State& state) {
    timeDrawing(state, [] {
        drawSkybox(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);
    });
}

void BM_Track(benchmark::State& state) {
    timeDrawing(state, [] { drawTrack(gTrack, gPlayer.position, gPlayer.lambda); });
}

void BM_Craft(benchmark::State& state) {
    timeDrawing(state, [] {
        drawPlayerCraft(gPlayer, true);
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
        }
    });
}

constexpr int MEASURED_FRAMES = 600;

// The headline figure: the median of single full frames.
double medianFrameMilliseconds() {
    std::vector<double> times;
    for (int i = 0; i < MEASURED_FRAMES; ++i) {
        const auto start = std::chrono::steady_clock::now();
        renderFrame();
        glFinish();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
    }
    std::nth_element(times.begin(), times.begin() + MEASURED_FRAMES / 2, times.end());
    return times[MEASURED_FRAMES / 2];
}
}  // namespace

BENCHMARK(BM_FullFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ClearAndSwap)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Skybox)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Track)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Craft)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

int main(int argc, char** argv) {
    if (!testsupport::startPrivateXvfb() || !openGameWindow()) {
        std::fprintf(stderr, "frame_bench: no display or no GL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("median full frame: %.3f ms over %d frames at %d x %d\n", medianFrameMilliseconds(),
                MEASURED_FRAMES, SCREEN_WIDTH, SCREEN_HEIGHT);
    benchmark::Shutdown();
    return 0;
}
