#include "screen/display.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL2/SDL.h>

#include "assets/player_messages.h"
#include "render/camera_view.h"
#include "screen/quit_message.h"

namespace {
SDL_DisplayMode gChosenMode{};
bool gModeChosen = false;
}  // namespace

std::optional<std::string> displayChangeMessage(int result) {
    switch (result) {
        case DISP_CHANGE_RESTART:
            return std::string("Must restart");
        case DISP_CHANGE_FAILED:
            return std::string(
                "Graphics Mode switch failed. Execute from the Windows 95 interface");
        case DISP_CHANGE_BADMODE:
            return std::string("Bad graphics mode specified");
        case DISP_CHANGE_BADFLAGS:
            return std::string("Bad graphics mode flags");
        default:
            return std::nullopt;
    }
}

int reportDisplayChange(int result) {
    if (result == DISP_CHANGE_SUCCESSFUL) {
        return 1;
    }
    if (const auto message = displayChangeMessage(result)) {
        showMessageBox(message->c_str(), "Orvanta", BoxOwner::None, BoxIcon::Error);
        postQuitMessage(1);  // the game ends without racing: no success
    }
    return 0;
}

int desktopBitsPerPixel() {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        return 0;
    }
    return static_cast<int>(SDL_BITSPERPIXEL(desktop.format));
}

int chooseDisplayMode() {
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        return DISP_CHANGE_FAILED;
    }
    // Only depth, width and height are asked for; the refresh rate is the driver's.
    SDL_DisplayMode request{};
    request.format = desktop.format;
    request.w = SCREEN_WIDTH;
    request.h = SCREEN_HEIGHT;
    SDL_DisplayMode closest{};
    if (SDL_GetClosestDisplayMode(0, &request, &closest) == nullptr || closest.w != SCREEN_WIDTH ||
        closest.h != SCREEN_HEIGHT ||
        SDL_BITSPERPIXEL(closest.format) != SDL_BITSPERPIXEL(desktop.format)) {
        return DISP_CHANGE_BADMODE;
    }
    gChosenMode = closest;
    gModeChosen = true;
    return DISP_CHANGE_SUCCESSFUL;
}

int setDisplayMode() {
    return reportDisplayChange(chooseDisplayMode());
}

bool applyDisplayMode(SDL_Window* window) {
    if (!gModeChosen) {
        return false;
    }
    return SDL_SetWindowDisplayMode(window, &gChosenMode) == 0 &&
           SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) == 0;
}

void setupPixelFormat() {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    // Immediate mode and display lists need a compatibility context.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

std::vector<PaletteEntry> computeEvenPalette(int colorBits, int redBits, int redShift,
                                             int greenBits, int greenShift, int blueBits,
                                             int blueShift) {
    if (colorBits <= 0 || colorBits > 16) {
        return {};
    }
    const int count = 1 << colorBits;
    const auto level = [](int index, int bits, int shift) -> uint8_t {
        const int mask = (1 << bits) - 1;
        if (mask <= 0) {
            return 0;
        }
        const int value = (index >> shift) & mask;
        return static_cast<uint8_t>(static_cast<int>(value * 255.0 / mask));
    };
    std::vector<PaletteEntry> palette(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        palette[i] = {level(i, redBits, redShift), level(i, greenBits, greenShift),
                      level(i, blueBits, blueShift), 0};
    }
    return palette;
}

void* setupPalette(SDL_Window*) {
    // Every display mode here has 16 bits per pixel or more, so no format needs a palette.
    return nullptr;
}

void initGlState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glCullFace(GL_BACK);  // chooses the face only; culling itself stays off
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void resizeViewport(int32_t width, int32_t height) {
    if (height == 0) {
        height = 1;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    gluPerspective(45.0, aspect, 0.0, 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCamera();
}
