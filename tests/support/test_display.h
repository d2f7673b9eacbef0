#pragma once

#include <string>

struct SDL_Window;

namespace testsupport {

// Starts a private Xvfb (1024x768x24) the first time it is called, points
// DISPLAY at it and selects OpenAL Soft's null back end. The server is stopped
// when the test program exits. Never needs a GPU or a sound card.
void ensureTestDisplay();

// A real 1024 x 768 window with the game's OpenGL context current, made the way
// the game makes it (pixel format, context, fixed GL state). The game's
// globals gWindow, gDeviceContext and gRenderContext point at it while it lives;
// afterwards the previous context and globals are current again.
class GlTestWindow {
public:
    GlTestWindow();
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    SDL_Window* window() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    // Whatever was current before, handed back when this window goes.
    SDL_Window* previousWindow_ = nullptr;
    void* previousContext_ = nullptr;
    SDL_Window* previousGameWindow_ = nullptr;
    SDL_Window* previousDeviceContext_ = nullptr;
    void* previousRenderContext_ = nullptr;
};

// Path of a file in the source tree (data/, tests/).
std::string sourcePath(const std::string& relative);
// Public test inputs kept in tests/data (BMP Suite, real ASE exports).
std::string publicTestdataPath(const std::string& relative);

}  // namespace testsupport
