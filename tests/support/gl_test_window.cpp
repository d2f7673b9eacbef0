#include "support/gl_test_window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include "hud/overlay.h"
#include "images/texture.h"
#include "screen/game_window.h"
#include "screen/quit_message.h"
#include "shell/window.h"
#include "support/test_display.h"

namespace testsupport {

GlTestWindow::GlTestWindow() {
    ensureTestDisplay();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
    previousCurrentWindow_ = SDL_GL_GetCurrentWindow();
    previousCurrentContext_ = SDL_GL_GetCurrentContext();
    previousGameWindow_ = gWindow;
    previousRenderContext_ = gRenderContext;
    previousFont_ = gOverlayFont;
    std::copy(std::begin(gTextures), std::end(gTextures), previousTextures_);
    window_ = openGameWindow(WindowContents::Bare);
    if (window_ == nullptr) {
        throw std::runtime_error(std::string("game window: ") + SDL_GetError());
    }
}

GlTestWindow::~GlTestWindow() {
    gWindow = window_;  // this window, whatever the test left in gWindow
    destroyGameWindow();
    // Closing a test's window ends no game loop that a later test runs.
    SDL_FlushEvent(quitMessageType());
    gWindow = previousGameWindow_;
    gRenderContext = previousRenderContext_;
    gOverlayFont = previousFont_;
    std::copy(std::begin(previousTextures_), std::end(previousTextures_), gTextures);
    if (previousCurrentContext_ != nullptr) {
        SDL_GL_MakeCurrent(previousCurrentWindow_, previousCurrentContext_);
    }
}

void useSharedGlTestWindow() {
    // The display first, so that at exit the window goes before the server does.
    ensureTestDisplay();
    static const auto window = std::make_unique<GlTestWindow>();
}

FramesKeptInBackBuffer::FramesKeptInBackBuffer() : shown_(gWindow) {
    gWindow = nullptr;
}

FramesKeptInBackBuffer::~FramesKeptInBackBuffer() {
    gWindow = shown_;
}

void resizeGameWindow(int width, int height) {
    SDL_SetWindowSize(gWindow, width, height);
    SDL_PumpEvents();
    SDL_Event sizeChanged{};
    sizeChanged.type = SDL_WINDOWEVENT;
    sizeChanged.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    sizeChanged.window.data1 = width;
    sizeChanged.window.data2 = height;
    handleWindowEvent(sizeChanged);
}

}  // namespace testsupport
