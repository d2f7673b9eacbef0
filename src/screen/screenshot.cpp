#include "screen/screenshot.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "saves/disk_notices.h"
#include "saves/screenshot_file.h"
#include "screen/framebuffer_calls.h"

namespace {
bool gRequested = false;

// The window's own back buffer, whatever framebuffer the next frame draws
// into, bottom row first; every setting it changes is put back.
std::vector<uint8_t> readWindowBackBuffer(int width, int height) {
    const FramebufferCalls* gl = framebufferCalls();
    GLint readFramebuffer = 0;
    if (gl != nullptr) {
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
        gl->bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    }
    // The read buffer belongs to the framebuffer bound, so it is asked after binding.
    GLint readBuffer = GL_BACK;
    glGetIntegerv(GL_READ_BUFFER, &readBuffer);
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);

    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);  // rows of three-byte pixels, unpadded
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());

    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    glReadBuffer(static_cast<GLenum>(readBuffer));
    if (gl != nullptr) {
        gl->bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    }
    return rgb;
}

// Once a run: a player pressing F12 again and again is told only the once.
void sayCannotSave(const std::string& folder, const std::string& failure) {
    static bool said = false;
    if (said) {
        return;
    }
    said = true;
    sayDiskTrouble(folder.empty() ? "cannot save screenshots: " + failure
                                  : "cannot save screenshots in " + folder + ": " + failure);
}
}  // namespace

void requestScreenshot() {
    gRequested = true;
}

void takeRequestedScreenshot(SDL_Window* window) {
    if (!gRequested || window == nullptr) {
        return;
    }
    gRequested = false;
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    const std::vector<uint8_t> rgb = readWindowBackBuffer(width, height);
    const std::string folder = screenshotFolder();
    std::string failure;
    const std::string path =
        saveScreenshot(folder, std::time(nullptr), RgbPicture{width, height, rgb.data()}, failure);
    if (path.empty()) {
        sayCannotSave(folder, failure);
    } else {
        std::fprintf(stderr, "zentrix: screenshot saved to %s\n", path.c_str());
    }
}
