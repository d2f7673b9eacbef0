// Full frames drawn back to back, unpaced, in a 1024 x 768 window on a private
// Xvfb with Mesa's software renderer, and the parts of a frame one by one.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "craft/exhaust_glow.h"
#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "hud/hud.h"
#include "hud/track_map.h"
#include "models/palette.h"
#include "race/camera.h"
#include "race/race.h"
#include "race/standings.h"
#include "render/camera_view.h"
#include "render/craft_draw.h"
#include "render/projection.h"
#include "render/scene.h"
#include "render/shadow.h"
#include "render/skybox.h"
#include "render/track_draw.h"
#include "screen/display.h"
#include "screen/game_window.h"
#include "shell/game_frame.h"
#include "support/harness/private_xvfb.h"
#include "track/track.h"

namespace {

// The game's window with everything window creation brings up.
bool openRaceWindow() {
    // The game reads its data relative to where it runs.
    return SDL_Init(SDL_INIT_VIDEO) == 0 && chdir(ZENTRIX_SOURCE_DIR) == 0 &&
           openGameWindow(WindowContents::Game) != nullptr;
}

void loadView() {
    loadGameProjection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
    placeLights();
}

void clearScreen() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The opaque part of the scene: what the later parts are drawn over.
void drawCraftAndTrack() {
    clearScreen();
    drawPlayerCraft(gPlayer, true);
    drawTrack(gTrack, gPlayer.position, gPlayer.lambda);
    for (int i = 0; i < OPPONENT_COUNT; ++i) {
        drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
    }
}

// Times one piece of drawing including the rasterising it causes, over a
// screen that prepare() has drawn untimed.
template <typename Prepare, typename Draw>
void timeDrawing(benchmark::State& state, Prepare prepare, Draw draw) {
    for (auto _ : state) {
        loadView();
        prepare();
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
    timeDrawing(
        state, [] {},
        [] {
            clearScreen();
            swapGameBuffers();
        });
}

// The sky as the frame meets it: after the road, the walls and the craft.
void BM_Skybox(benchmark::State& state) {
    timeDrawing(state, drawCraftAndTrack, [] {
        drawSkybox(0.0f, SKYBOX_CENTRE_Y, 0.0f, SKYBOX_WIDTH, SKYBOX_HEIGHT, SKYBOX_LENGTH);
    });
}

void BM_Track(benchmark::State& state) {
    timeDrawing(state, clearScreen, [] { drawTrack(gTrack, gPlayer.position, gPlayer.lambda); });
}

void BM_Craft(benchmark::State& state) {
    timeDrawing(state, clearScreen, [] {
        drawPlayerCraft(gPlayer, true);
        for (int i = 0; i < OPPONENT_COUNT; ++i) {
            drawOpponentCraft(gOpponents[i], COLOR_BLUE + i);
        }
    });
}

void BM_Shadows(benchmark::State& state) {
    timeDrawing(state, drawCraftAndTrack, [] {
        drawShadow(Vector3(gPlayer.position.x, 0.0, gPlayer.position.z), Vector3(140.0, 0.0, 40.0),
                   -gPlayer.yaw * 180.0f / 3.141592f);
        for (const Opponent& opponent : gOpponents) {
            drawShadow(Vector3(opponent.position.x, 0.0, opponent.position.z),
                       Vector3(90.0, 0.0, 90.0), 0.0f);
        }
    });
}

void BM_ExhaustGlow(benchmark::State& state) {
    timeDrawing(state, drawCraftAndTrack, [] { gExhaust.draw(); });
}

// A shot a little way ahead of the craft, where it shows largest.
void BM_Shot(benchmark::State& state) {
    const Projectile kept = gProjectile;
    gProjectile.launch(gPlayer);
    for (int i = 0; i < 5; ++i) {
        gProjectile.update();
    }
    timeDrawing(state, drawCraftAndTrack, [] { gProjectile.draw(); });
    gProjectile = kept;
}

void BM_PositionIndicator(benchmark::State& state) {
    timeDrawing(state, drawCraftAndTrack, [] { drawPositionIndicator(); });
}

void BM_Hud(benchmark::State& state) {
    timeDrawing(state, drawCraftAndTrack, [] { drawHud(); });
}

// The map with every craft on it; its outline is made once per circuit, so
// before the timing.
void BM_TrackMap(benchmark::State& state) {
    trackMapBox();
    timeDrawing(state, drawCraftAndTrack, [] { drawTrackMap(); });
}

constexpr int MEASURED_FRAMES = 600;

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double processCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The headline figure: the median of single full frames. Beside it the CPU
// time of all the program's threads (llvmpipe rasterises on its own), which
// other work on the machine disturbs less than the wall clock.
void printMedianFrame() {
    std::vector<double> times;
    std::vector<double> cpu;
    for (int i = 0; i < MEASURED_FRAMES; ++i) {
        const double cpuStart = processCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        renderFrame();
        glFinish();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
        cpu.push_back(processCpuMilliseconds() - cpuStart);
    }
    std::printf("median full frame: %.3f ms over %d frames at %d x %d\n", median(times),
                MEASURED_FRAMES, SCREEN_WIDTH, SCREEN_HEIGHT);
    std::printf("median CPU per full frame, all threads: %.3f ms\n", median(cpu));
}
}  // namespace

BENCHMARK(BM_FullFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The parts are timed over an untimed scene drawn first, so short runs of
// several repetitions keep the whole bench to minutes; the median is reported.
void timePart(benchmark::internal::Benchmark* part) {
    part->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->MinTime(0.2)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}
BENCHMARK(BM_ClearAndSwap)->Apply(timePart);
BENCHMARK(BM_Skybox)->Apply(timePart);
BENCHMARK(BM_Track)->Apply(timePart);
BENCHMARK(BM_Craft)->Apply(timePart);
BENCHMARK(BM_Shadows)->Apply(timePart);
BENCHMARK(BM_ExhaustGlow)->Apply(timePart);
BENCHMARK(BM_Shot)->Apply(timePart);
BENCHMARK(BM_PositionIndicator)->Apply(timePart);
BENCHMARK(BM_Hud)->Apply(timePart);
BENCHMARK(BM_TrackMap)->Apply(timePart);

int main(int argc, char** argv) {
    if (!testsupport::startPrivateXvfb() || !openRaceWindow()) {
        std::fprintf(stderr, "frame_bench: no display or no GL context\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    printMedianFrame();
    benchmark::Shutdown();
    destroyGameWindow();
    shutdownSound();
    SDL_Quit();
    return 0;
}
