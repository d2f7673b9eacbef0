#include "screen/game_window.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

#include "audio/sound.h"
#include "audio/sound_backend.h"
#include "input/joystick.h"
#include "render/scene.h"
#include "screen/display.h"
#include "screen/picture_target.h"
#include "screen/quit_message.h"
#include "screen/scene_threads.h"
#include "screen/screenshot.h"
#include "screen/window_placement.h"
#include "session/race_commands.h"
#include "trace/startup_trace.h"
#include "track/track.h"

SDL_Window* gWindow = nullptr;
void* gRenderContext = nullptr;
void* gPalette = nullptr;
int32_t gUseJoystick = 0;

namespace {
uint32_t gTitledCircuit = CLASSIC_CIRCUIT;

std::string titleFor(uint32_t circuit) {
    return "Zentrix - " + circuitName(circuit);
}

bool createRenderContext(SDL_Window* window) {
    gPalette = setupPalette(window);
    gRenderContext = SDL_GL_CreateContext(window);
    if (gRenderContext == nullptr) {
        std::fprintf(stderr, "zentrix: cannot create an OpenGL context: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_MakeCurrent(window, gRenderContext);
    // No waiting for the display's refresh until the loop chooses its pacing.
    SDL_GL_SetSwapInterval(0);
    traceStartup("GL context");
    return true;
}

// The sound and the joystick, after the scene's files and before the window shows.
void startSoundAndJoystick() {
    createJoystickRecord();
    const int soundStarted = startSoundWith(takeSoundOpenedAhead());
    traceStartup("sound");
    if (soundStarted == 0) {
        return;  // no sound: the joystick is not captured either
    }
    if (captureJoystick() == JOYERR_NOERROR) {
        gUseJoystick = 0;
    }
}

void fitPictureTo(SDL_Window* window) {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    fitPictureToWindow(width, height);
}
}  // namespace

SDL_Window* openGameWindow(WindowContents contents) {
    setupPixelFormat();
    // Hidden while the scene loads; shown once it can draw.
    SDL_Window* window = SDL_CreateWindow(
        titleFor(gTrack.circuitNumber()).c_str(), 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
        SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window == nullptr) {
        std::fprintf(stderr, "zentrix: cannot create the window: %s\n", SDL_GetError());
        return nullptr;
    }
    placeGameWindow(window, gDisplayChoice);
    traceStartup("window");
    if (!createRenderContext(window)) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    initGlState();
    fitPictureTo(window);
    traceStartup("picture fitted");
    if (contents == WindowContents::Bare) {
        gWindow = window;
        gTitledCircuit = gTrack.circuitNumber();
        SDL_ShowWindow(window);
        return window;
    }
    SDL_ShowCursor(SDL_DISABLE);
    // A file that cannot be had shows its box here, before anything is built.
    SceneFiles files = takeFilesReadAhead();
    readSceneFiles(files);
    placeCraftModels(files);
    startRace(RACE_SEED, chosenRaceMode(), chosenDifficulty());
    startSoundAndJoystick();
    {
        // The scene is built, and drawn once, on a thread of its own while the
        // window is shown: showing a full-screen window can wait a tenth of a
        // second for a window manager that may not be there.
        SceneBuildThread building(window, gRenderContext, std::move(files));
        gWindow = window;
        gTitledCircuit = gTrack.circuitNumber();
        SDL_ShowWindow(window);
        traceStartup("window shown");
        building.finish();
    }
    traceStartup("scene built");
    return window;
}

void destroyGameWindow() {
    if (gWindow == nullptr) {
        return;
    }
    // Off the screen before anything is torn down: freeing the driver's
    // memory takes a tenth of a second or more, and the player has left.
    SDL_HideWindow(gWindow);
    releasePicture();
    SDL_GL_MakeCurrent(gWindow, nullptr);
    SDL_GL_DeleteContext(gRenderContext);
    gRenderContext = nullptr;
    gPalette = nullptr;
    // Leaving fullscreen and destroying the window give the desktop its mode back.
    SDL_SetWindowFullscreen(gWindow, 0);
    SDL_DestroyWindow(gWindow);
    gWindow = nullptr;
    SDL_ShowCursor(SDL_ENABLE);
    postQuitMessage(0);
}

void keepTitleOnCircuit() {
    if (gWindow != nullptr && gTrack.circuitNumber() != gTitledCircuit) {
        gTitledCircuit = gTrack.circuitNumber();
        SDL_SetWindowTitle(gWindow, titleFor(gTitledCircuit).c_str());
    }
}

void swapGameBuffers() {
    if (gWindow != nullptr) {
        takeRequestedScreenshot(gWindow);  // the back buffer holds the whole frame now
        SDL_GL_SwapWindow(gWindow);
        traceFirstFrame();
    }
}

void fitPictureToGameWindow() {
    if (gWindow != nullptr) {
        fitPictureTo(gWindow);
    }
}
