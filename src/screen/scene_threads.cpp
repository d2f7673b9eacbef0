#include "screen/scene_threads.h"

#include <SDL2/SDL.h>

#include <future>
#include <utility>

#include "render/frame_draw.h"
#include "screen/overlay_glyphs.h"
#include "trace/startup_trace.h"

namespace {
std::future<StartupFiles> gReadingAhead;

StartupFiles readStartupFiles() {
    StartupFiles files;
    files.glyphs = rasterizeOverlayGlyphs();
    traceStartup("font rasterized");
    files.scene = readSceneFilesAhead();
    traceStartup("models and textures read ahead");
    return files;
}
}  // namespace

void startReadingAhead() {
    if (!gReadingAhead.valid()) {
        gReadingAhead = std::async(std::launch::async, readStartupFiles);
    }
}

StartupFiles takeFilesReadAhead() {
    if (gReadingAhead.valid()) {
        return gReadingAhead.get();
    }
    return readStartupFiles();
}

void dropFilesReadAhead() {
    if (gReadingAhead.valid()) {
        gReadingAhead.wait();
        gReadingAhead = {};
    }
}

SceneBuildThread::SceneBuildThread(SDL_Window* window, void* context, StartupFiles files)
    : window_(window), context_(context), files_(std::move(files)) {
    // A context is current on one thread at a time.
    SDL_GL_MakeCurrent(window_, nullptr);
    thread_ = std::thread([this] {
        if (SDL_GL_MakeCurrent(window_, context_) != 0) {
            return;  // finish() builds it on its own thread
        }
        build();
        drawFrameToWarmUp();
        traceStartup("first frame drawn unseen");
        SDL_GL_MakeCurrent(window_, nullptr);
    });
}

SceneBuildThread::~SceneBuildThread() {
    finish();
}

void SceneBuildThread::finish() {
    if (!thread_.joinable()) {
        return;
    }
    thread_.join();
    SDL_GL_MakeCurrent(window_, context_);
    if (!built_) {
        build();
    }
}

void SceneBuildThread::build() {
    buildScene(files_.scene, files_.glyphs);
    built_ = true;
}
