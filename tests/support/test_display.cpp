#include "support/test_display.h"

#include <SDL2/SDL.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/app_state.h"
#include "app/display.h"

namespace testsupport {
namespace {
pid_t gXvfbPid = 0;

void stopXvfb() {
    if (gXvfbPid > 0) {
        kill(gXvfbPid, SIGTERM);
        waitpid(gXvfbPid, nullptr, 0);
        gXvfbPid = 0;
    }
}

// Xvfb picks a free display itself and writes its number to the pipe.
std::string startXvfb() {
    int fds[2];
    if (pipe(fds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        std::freopen("/dev/null", "w", stderr);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not start (is the xvfb package installed?)");
    }
    gXvfbPid = pid;
    std::atexit(stopXvfb);
    return ":" + number;
}
}  // namespace

void ensureTestDisplay() {
    static bool started = false;
    if (started) {
        return;
    }
    started = true;
    setenv("DISPLAY", startXvfb().c_str(), 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    // Mesa renders in software here; make sure it never looks for a GPU.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
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

std::string sharedTestdataPath(const std::string& relative) {
    return std::string(ZENTRIX_SOURCE_DIR) + "/../shared/testdata/" + relative;
}

}  // namespace testsupport
