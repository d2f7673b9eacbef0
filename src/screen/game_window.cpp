#include "screen/game_window.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <string>

#include "audio/sound.h"
#include "input/joystick.h"
#include "render/scene.h"
#include "screen/display.h"
#include "screen/overlay_glyphs.h"
#include "screen/picture_target.h"
#include "screen/quit_message.h"
#include "screen/window_placement.h"
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

bool createBareContents(SDL_Window* window) {
    if (!createRenderContext(window)) {
        return false;
    }
    initGlState();
    return true;
}

// Window creation: context, cursor, fixed GL state, scene, sound, joystick.
bool onWindowCreate(SDL_Window* window) {
    if (!createRenderContext(window)) {
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    initGlState();
    const OverlayFaces glyphs = rasterizeOverlayGlyphs();
    traceStartup("font rasterized");
    setupScene(glyphs);
    createJoystickRecord();
    const int soundStarted = startSound();
    traceStartup("sound");
    if (soundStarted == 0) {
        return true;  // no sound: the joystick is not captured either
    }
    if (captureJoystick() == JOYERR_NOERROR) {
        gUseJoystick = 0;
    }
    return true;
}
}  // namespace

SDL_Window* openGameWindow(WindowContents contents) {
    setupPixelFormat();
    // Hidden while the scene loads; shown once it can draw.
    SDL_Window* window = SDL_CreateWindow(
        titleFor(gTrack.circuitNumber()).c_str(), 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
        SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        std::fprintf(stderr, "zentrix: cannot create the window: %s\n", SDL_GetError());
        return nullptr;
    }
    placeGameWindow(window, gDisplayChoice);
    traceStartup("window");
    const bool created =
        contents == WindowContents::Game ? onWindowCreate(window) : createBareContents(window);
    if (!created) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    gWindow = window;
    gTitledCircuit = gTrack.circuitNumber();
    fitPictureToGameWindow();
    traceStartup("picture fitted");
    SDL_ShowWindow(window);
    traceStartup("window shown");
    return window;
}

void destroyGameWindow() {
    if (gWindow == nullptr) {
        return;
    }
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
        presentPicture();
        SDL_GL_SwapWindow(gWindow);
        traceFirstFrame();
    }
}

void fitPictureToGameWindow() {
    if (gWindow == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(gWindow, &width, &height);
    fitPictureToWindow(width, height);
}
