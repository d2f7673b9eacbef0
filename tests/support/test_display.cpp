#include "support/test_display.h"

#include <SDL2/SDL.h>

#include <stdexcept>
#include <string>

#include "app/app_state.h"
#include "app/display.h"
#include "support/harness/private_xvfb.h"

namespace testsupport {

void ensureTestDisplay() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    if (!startPrivateXvfb()) {
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
}

GlTestWindow::GlTestWindow() {
    ensureTestDisplay();
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
    previousWindow_ = SDL_GL_GetCurrentWindow();
    previousContext_ = SDL_GL_GetCurrentContext();
    previousGameWindow_ = gWindow;
    previousDeviceContext_ = gDeviceContext;
    previousRenderContext_ = gRenderContext;
    setupPixelFormat();
    window_ = SDL_CreateWindow("Zentrix", 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
    if (window_ == nullptr) {
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    }
    context_ = SDL_GL_CreateContext(window_);
    if (context_ == nullptr) {
        throw std::runtime_error(std::string("GL context: ") + SDL_GetError());
    }
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(0);
    gWindow = window_;
    gDeviceContext = window_;
    gRenderContext = context_;
    initGlState();
    resizeViewport(SCREEN_WIDTH, SCREEN_HEIGHT);
}

GlTestWindow::~GlTestWindow() {
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    SDL_DestroyWindow(window_);
    gWindow = previousGameWindow_;
    gDeviceContext = previousDeviceContext_;
    gRenderContext = previousRenderContext_;
    if (previousContext_ != nullptr) {
        SDL_GL_MakeCurrent(previousWindow_, previousContext_);
    }
}

std::string sourcePath(const std::string& relative) {
    return std::string(ZENTRIX_SOURCE_DIR) + "/" + relative;
}

std::string publicTestdataPath(const std::string& relative) {
    return std::string(ZENTRIX_SOURCE_DIR) + "/tests/data/" + relative;
}

}  // namespace testsupport
