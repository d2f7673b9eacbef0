#include "screen/scene_threads.h"

#include <SDL2/SDL.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <future>
#include <utility>

#include "render/frame_draw.h"
#include "screen/overlay_glyphs.h"
#include "trace/startup_trace.h"

namespace {
std::future<SceneFiles> gReadingAhead;
// Written by the reading thread before its files are ready, so whoever has
// waited for them may take it. A box that ends the game before the sound
// starts leaves it here, to be closed on the way out.
SoundOutput gSoundOpenedAhead;

// The main thread and the display server come first: each start-up thread
// yields the cores to them, so the window is no later for the work beside it.
// The reading still ends long before the window is made, and the building
// while the window shows, which mostly waits. A thread keeps the lower
// priority, and passes it on to any thread it starts.
void yieldToTheWindow() {
    // Ten steps below wherever the game was started (under nice, say).
    const id_t thread = static_cast<id_t>(gettid());
    errno = 0;
    const int started = getpriority(PRIO_PROCESS, thread);
    if (errno == 0) {
        setpriority(PRIO_PROCESS, thread, std::min(started + 10, 19));
    }
}

// The sound device first: its mixing thread, started with it, must not
// inherit a lower priority for the whole race.
SceneFiles readStartupFiles(bool yieldAfterTheSound) {
    gSoundOpenedAhead = openDefaultSoundOutput();
    traceStartup("sound device opened ahead");
    if (yieldAfterTheSound) {
        yieldToTheWindow();
    }
    SceneFiles files = readSceneFilesAhead();
    traceStartup("models and textures read ahead");
    return files;
}

// A box that ends the game with exit() skips the main thread's own drop: the
// sound device opened ahead is closed all the same, or OpenAL Soft complains
// of a device left open.
void dropAtExit() {
    static bool registered = false;
    if (!registered) {
        registered = true;
        std::atexit(dropFilesReadAhead);
    }
}
}  // namespace

void startReadingAhead() {
    if (!gReadingAhead.valid()) {
        dropAtExit();
        gReadingAhead = std::async(std::launch::async, readStartupFiles, true);
    }
}

SceneFiles takeFilesReadAhead() {
    if (gReadingAhead.valid()) {
        return gReadingAhead.get();
    }
    dropAtExit();
    return readStartupFiles(false);
}

SoundOutput takeSoundOpenedAhead() {
    return std::exchange(gSoundOpenedAhead, SoundOutput{});
}

void dropFilesReadAhead() {
    if (gReadingAhead.valid()) {
        gReadingAhead.wait();
        gReadingAhead = {};
    }
    closeSoundOutput(gSoundOpenedAhead);
}

SceneBuildThread::SceneBuildThread(SDL_Window* window, void* context, SceneFiles files)
    : window_(window), context_(context), files_(std::move(files)) {
    // A context is current on one thread at a time.
    SDL_GL_MakeCurrent(window_, nullptr);
    thread_ = std::thread([this] {
        yieldToTheWindow();
        // The font shows no box, so it is rasterized here, while the window
        // shows, rather than on the way to it.
        glyphs_ = rasterizeOverlayGlyphs();
        traceStartup("font rasterized");
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
    buildScene(files_, glyphs_);
    built_ = true;
}
