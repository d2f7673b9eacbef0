// screen: the window's loading spread over threads. The sound device is
// opened, and the files read, on one while SDL and the window come up; the font
// is rasterized and the scene built and drawn once, unseen, on another while
// the main thread shows the window.
// Only reading and drawing move: every box is still shown by the main thread,
// in the order the game always showed them.
#pragma once

#include <thread>

#include "audio/sound_backend.h"
#include "hud/overlay.h"
#include "render/scene.h"

struct SDL_Window;

// Starts opening the sound device, then reading the scene's files, on a thread
// of their own, which yields the cores to the window's. Call it once the data
// folder is chosen.
void startReadingAhead();
// What was read ahead, waited for; read here and now when nothing was started.
SceneFiles takeFilesReadAhead();
// The sound device opened ahead, for the sound's start to take over.
// Until then it is held here, and closed when the game ends first.
SoundOutput takeSoundOpenedAhead();
// Waits for a read started and never taken, and lets it go, sound and all.
void dropFilesReadAhead();

// The font rasterized, the scene's GL half built and its first frame drawn to
// no one, on a thread of lower priority that holds the window's context until
// finish(). In the meantime the calling
// thread must make no GL call and change nothing the frame draws.
class SceneBuildThread {
public:
    SceneBuildThread(SDL_Window* window, void* context, SceneFiles files);
    ~SceneBuildThread();
    SceneBuildThread(const SceneBuildThread&) = delete;
    SceneBuildThread& operator=(const SceneBuildThread&) = delete;

    // Waits for the thread and gives the context back to the calling thread;
    // where the thread could not take the context, builds the scene here.
    void finish();

private:
    void build();

    SDL_Window* window_;
    void* context_;
    SceneFiles files_;
    OverlayFaces glyphs_;
    bool built_ = false;
    std::thread thread_;
};
