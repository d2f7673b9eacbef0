#pragma once

#include <cstdint>

#include "hud/overlay.h"
#include "images/texture.h"

struct SDL_Window;

namespace testsupport {

// The game's own window on the private display, opened bare (context, fixed GL
// state and viewport; no scene, no sound). While it lives the game's globals
// point at it: gWindow and gRenderContext, and gTextures and the overlay font,
// whose names die with its context. On the way out it is destroyed the way the
// game destroys its window; whatever context was current before is current
// again and those globals are as they were.
class GlTestWindow {
public:
    GlTestWindow();
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    SDL_Window* window() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_Window* previousCurrentWindow_ = nullptr;
    void* previousCurrentContext_ = nullptr;
    SDL_Window* previousGameWindow_ = nullptr;
    void* previousRenderContext_ = nullptr;
    OverlayFont previousFont_;
    uint32_t previousTextures_[TEXTURE_COUNT] = {};
};

// One window for the whole test program, opened on first use: the display
// lists and textures made in it last as long as the program.
void useSharedGlTestWindow();

// While alive, finished frames stay in the back buffer for a Screen to read:
// the frame's swap finds no game window to show them in.
class FramesKeptInBackBuffer {
public:
    FramesKeptInBackBuffer();
    ~FramesKeptInBackBuffer();
    FramesKeptInBackBuffer(const FramesKeptInBackBuffer&) = delete;
    FramesKeptInBackBuffer& operator=(const FramesKeptInBackBuffer&) = delete;

private:
    SDL_Window* shown_;
};

// The game window sized as a player might leave it; the window procedure
// fits the picture to it when the size change arrives.
void resizeGameWindow(int width, int height);

}  // namespace testsupport
