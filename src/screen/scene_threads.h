// screen: the window's loading spread over threads. The files are read on one
// while SDL and the window come up; the scene is built and drawn once, unseen,
// on another while the main thread shows the window.
// Only reading and drawing move: every box is still shown by the main thread,
// in the order the game always showed them.
#pragma once

#include <thread>

#include "hud/overlay.h"
#include "render/scene.h"

struct SDL_Window;

// What the window needs from the data folder, read before the window exists.
struct StartupFiles {
    OverlayFaces glyphs;
    SceneFiles scene;
};

// Starts reading the font and the scene's files on a thread of their own.
// Call it once the data folder is chosen.
void startReadingAhead();
// What was read ahead, waited for; read here and now when nothing was started.
StartupFiles takeFilesReadAhead();
// Waits for a read started and never taken, and lets it go.
void dropFilesReadAhead();

// The scene's GL half built, and its first frame drawn to no one, on a thread
// that holds the window's context until finish(). In the meantime the calling
// thread must make no GL call and change nothing the frame draws.
class SceneBuildThread {
public:
    SceneBuildThread(SDL_Window* window, void* context, StartupFiles files);
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
    StartupFiles files_;
    bool built_ = false;
    std::thread thread_;
};
