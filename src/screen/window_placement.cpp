#include "screen/window_placement.h"

#include <SDL2/SDL.h>

#include <cstdio>

#include "screen/display.h"
#include "screen/picture_target.h"

DisplayChoice gDisplayChoice = DisplayChoice::Fullscreen;

namespace {
DisplayChoice gPlacement = DisplayChoice::Fullscreen;
bool gSaidNoMode = false;

int displayOf(SDL_Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window);
    return display >= 0 ? display : 0;
}

void coverTheDesktop(SDL_Window* window) {
    SDL_Rect bounds{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    SDL_GetDisplayBounds(displayOf(window), &bounds);
    // Covering the screen first makes it whole even where no window manager
    // acts on the fullscreen request.
    SDL_SetWindowBordered(window, SDL_FALSE);
    SDL_SetWindowPosition(window, bounds.x, bounds.y);
    SDL_SetWindowSize(window, bounds.w, bounds.h);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void makeAWindow(SDL_Window* window) {
    const int display = displayOf(window);
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, SDL_TRUE);
    SDL_SetWindowResizable(window, SDL_TRUE);
    SDL_SetWindowSize(window, SCREEN_WIDTH, SCREEN_HEIGHT);
    SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                          SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}
}  // namespace

void placeGameWindow(SDL_Window* window, DisplayChoice choice) {
    gPlacement = choice;
    switch (choice) {
        case DisplayChoice::Fullscreen:
            applyDisplayMode(window);
            break;
        case DisplayChoice::Desktop:
            coverTheDesktop(window);
            break;
        case DisplayChoice::Windowed:
            makeAWindow(window);
            break;
    }
}

DisplayChoice gameWindowPlacement() {
    return gPlacement;
}

void toggleWindowedAndDesktop(SDL_Window* window) {
    placeGameWindow(window, gPlacement == DisplayChoice::Windowed ? DisplayChoice::Desktop
                                                                  : DisplayChoice::Windowed);
}

DisplayChoice displayChoiceFor(ScreenSetting setting) {
    switch (setting) {
        case ScreenSetting::Window:
            return DisplayChoice::Windowed;
        case ScreenSetting::Desktop:
            return DisplayChoice::Desktop;
        case ScreenSetting::Fullscreen:
            break;
    }
    return DisplayChoice::Fullscreen;
}

ScreenSetting screenSettingFor(DisplayChoice choice) {
    switch (choice) {
        case DisplayChoice::Windowed:
            return ScreenSetting::Window;
        case DisplayChoice::Desktop:
            return ScreenSetting::Desktop;
        case DisplayChoice::Fullscreen:
            break;
    }
    return ScreenSetting::Fullscreen;
}

DisplayChoice displayChoiceThatFits(DisplayChoice wanted) {
    if (wanted != DisplayChoice::Fullscreen || chooseDisplayMode() == DISP_CHANGE_SUCCESSFUL) {
        return wanted;
    }
    // The picture fits any screen, so a missing mode is no reason to stop; a
    // player trying the setting again needs no second line.
    if (!gSaidNoMode) {
        gSaidNoMode = true;
        std::fprintf(stderr,
                     "zentrix: the screen has no 1024 x 768 mode; racing on the whole desktop "
                     "instead\n");
    }
    return DisplayChoice::Desktop;
}

void placeGameWindowAt(SDL_Window* window, ScreenSetting setting) {
    placeGameWindow(window, displayChoiceThatFits(displayChoiceFor(setting)));
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    fitPictureToWindow(width, height);
}
