// Full frames drawn back to back, unpaced, in a 1024 x 768 window on a private
// Xvfb with Mesa's software renderer, and the parts of a frame one by one; then
// full frames at several window sizes and resolution scales side by side.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
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
#include "screen/picture_target.h"
#include "screen/window_placement.h"
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

// Room for the largest window measured.
constexpr testsupport::XvfbScreen BENCH_SCREEN{2560, 1440, 24};

struct WindowSize {
    int width;
    int height;
};
constexpr WindowSize MEASURED_SIZES[] = {{1024, 768}, {1280, 720}, {1920, 1080}, {2560, 1440}};
constexpr int MEASURED_SCALES[] = {100, 50};
// Every size and scale gets a batch each round, so a slow moment of the
// shared machine falls on all of them alike.
constexpr int ROUNDS = 10;
constexpr int FRAMES_PER_BATCH = 30;
// Frames after a resize, untimed: the driver remakes its buffers in the first.
constexpr int WARM_UP_FRAMES = 5;

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

double processCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// One full frame on the clock, and the CPU time of all the program's threads
// (llvmpipe rasterises on its own), which other work on the machine disturbs
// less than the wall clock.
struct FrameTimes {
    std::vector<double> wallMs;
    std::vector<double> cpuMs;

    void timeOneFrame() {
        const double cpuStart = processCpuMilliseconds();
        const auto start = std::chrono::steady_clock::now();
        renderFrame();
        glFinish();
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        wallMs.push_back(spent.count());
        cpuMs.push_back(processCpuMilliseconds() - cpuStart);
    }
};

// The headline figure, compared across builds: the median of single full frames.
void printMedianFrame() {
    FrameTimes times;
    for (int i = 0; i < MEASURED_FRAMES; ++i) {
        times.timeOneFrame();
    }
    const ScreenRect window = pictureInWindow();
    std::printf("median full frame: %.3f ms over %d frames at %d x %d\n", median(times.wallMs),
                MEASURED_FRAMES, window.width, window.height);
    std::printf("median CPU per full frame, all threads: %.3f ms\n", median(times.cpuMs));
}

bool drawableIs(WindowSize size) {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(gWindow, &width, &height);
    if (width == size.width && height == size.height) {
        return true;
    }
    std::fprintf(stderr, "frame_bench: asked for a %d x %d window, its drawable is %d x %d\n",
                 size.width, size.height, width, height);
    return false;
}

// The game window at this size, on the screen, its picture fitted at this
// scale, and drawn a few frames untimed. False, said on standard error, when
// the window or the scale is not what was asked for.
bool showWindowAt(WindowSize size, int scalePercent) {
    SDL_SetWindowSize(gWindow, size.width, size.height);
    SDL_SetWindowPosition(gWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    if (!drawableIs(size)) {
        return false;
    }
    setResolutionScale(scalePercent);
    fitPictureToGameWindow();
    if (pictureIsOffScreen() != (scalePercent < 100)) {
        std::fprintf(stderr, "frame_bench: no off-screen picture at %d %%\n", scalePercent);
        return false;
    }
    for (int i = 0; i < WARM_UP_FRAMES; ++i) {
        renderFrame();
    }
    glFinish();
    // By now the X server has answered the resize; a size it refused shows here.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    return drawableIs(size);
}

bool screenHolds(WindowSize size) {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w >= size.width &&
        desktop.h >= size.height) {
        return true;
    }
    std::fprintf(stderr, "frame_bench: the screen is %d x %d, too small for %d x %d\n", desktop.w,
                 desktop.h, size.width, size.height);
    return false;
}

struct Measured {
    WindowSize size;
    int scalePercent;
    FrameTimes times;
};

void printSizeTable(const std::vector<Measured>& measured) {
    std::printf("full frames by window size, %d rounds of %d frames each, interleaved:\n", ROUNDS,
                FRAMES_PER_BATCH);
    std::printf("%11s %6s %10s %8s %14s\n", "size", "scale", "frame ms", "CPU ms", "ms per Mpixel");
    for (const Measured& m : measured) {
        const std::string size = std::to_string(m.size.width) + "x" + std::to_string(m.size.height);
        const double frameMs = median(m.times.wallMs);
        const double megapixels = m.size.width * m.size.height / 1e6;
        std::printf("%11s %5d%% %10.3f %8.3f %14.3f\n", size.c_str(), m.scalePercent, frameMs,
                    median(m.times.cpuMs), frameMs / megapixels);
    }
}

// Each round visits every size and scale once, starting one further along
// each round, so none always follows the same one.
bool measureSizesAndScales() {
    std::vector<Measured> measured;
    for (const WindowSize size : MEASURED_SIZES) {
        for (const int scale : MEASURED_SCALES) {
            measured.push_back(Measured{size, scale, FrameTimes()});
        }
    }
    for (int round = 0; round < ROUNDS; ++round) {
        for (size_t i = 0; i < measured.size(); ++i) {
            Measured& m = measured[(round + i) % measured.size()];
            if (!showWindowAt(m.size, m.scalePercent)) {
                return false;
            }
            for (int frame = 0; frame < FRAMES_PER_BATCH; ++frame) {
                m.times.timeOneFrame();
            }
        }
    }
    printSizeTable(measured);
    return true;
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
    if (!testsupport::startPrivateXvfb(BENCH_SCREEN) || !openRaceWindow()) {
        std::fprintf(stderr, "frame_bench: no display or no GL context\n");
        return 1;
    }
    // The per-part figures and the headline frame in a 1024 x 768 window, as
    // before the screen grew room for larger ones.
    placeGameWindow(gWindow, DisplayChoice::Windowed);
    const WindowSize largest = MEASURED_SIZES[std::size(MEASURED_SIZES) - 1];
    if (!screenHolds(largest) || !showWindowAt({SCREEN_WIDTH, SCREEN_HEIGHT}, 100)) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    printMedianFrame();
    const bool measured = measureSizesAndScales();
    benchmark::Shutdown();
    destroyGameWindow();
    shutdownSound();
    SDL_Quit();
    return measured ? 0 : 1;
}
