// The game's events turned into the menu's commands.
#include <SDL2/SDL.h>

#include "hud/panel_pair.h"
#include "menu/pause_menu.h"
#include "screen/game_window.h"
#include "screen/window_pointer.h"

namespace {
// The lines as last drawn, in overlay units, for the mouse.
std::vector<OverlayRect> gLineBoxes;

// How far the left stick leans before it moves the choice, and where it must
// come back to before it moves it again.
constexpr int16_t STICK_MOVES = 16000;
constexpr int16_t STICK_RESTS = 8000;
bool gStickLeaning = false;

bool keyCommand(SDL_Keycode key) {
    switch (key) {
        case SDLK_UP:
        case SDLK_w:
            return pauseMenuCommand(MenuCommand::Up);
        case SDLK_DOWN:
        case SDLK_s:
            return pauseMenuCommand(MenuCommand::Down);
        case SDLK_LEFT:
            return pauseMenuCommand(MenuCommand::Left);
        case SDLK_RIGHT:
            return pauseMenuCommand(MenuCommand::Right);
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return pauseMenuCommand(MenuCommand::Select);
        case SDLK_ESCAPE:
            return pauseMenuCommand(MenuCommand::Back);
        case SDLK_BACKSPACE:
            return pauseMenuCommand(MenuCommand::Erase);
        default:
            break;
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return pauseMenuDigit(key - SDLK_0);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return pauseMenuDigit(key - SDLK_KP_1 + 1);
    }
    return key == SDLK_KP_0 && pauseMenuDigit(0);
}

bool padCommand(uint8_t button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return pauseMenuCommand(MenuCommand::Up);
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return pauseMenuCommand(MenuCommand::Down);
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return pauseMenuCommand(MenuCommand::Left);
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return pauseMenuCommand(MenuCommand::Right);
        case SDL_CONTROLLER_BUTTON_A:
            return pauseMenuCommand(MenuCommand::Select);
        case SDL_CONTROLLER_BUTTON_B:
            return pauseMenuCommand(MenuCommand::Back);
        default:
            return false;
    }
}

bool stickCommand(const SDL_ControllerAxisEvent& axis) {
    if (axis.axis != SDL_CONTROLLER_AXIS_LEFTY) {
        return false;
    }
    if (gStickLeaning) {
        gStickLeaning = axis.value > STICK_RESTS || axis.value < -STICK_RESTS;
        return true;
    }
    if (axis.value > STICK_MOVES || axis.value < -STICK_MOVES) {
        gStickLeaning = true;
        return pauseMenuCommand(axis.value < 0 ? MenuCommand::Up : MenuCommand::Down);
    }
    return false;
}

// The line under a point of the window, or -1.
int lineAt(int windowX, int windowY) {
    if (gWindow == nullptr) {
        return -1;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(gWindow, &width, &height);
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(gWindow, &drawableWidth, &drawableHeight);
    const OverlayPoint point =
        overlayPointOfWindow(windowX, windowY, width, height, drawableWidth, drawableHeight);
    for (size_t i = 0; i < gLineBoxes.size(); ++i) {
        const OverlayRect& box = gLineBoxes[i];
        if (point.x >= box.left && point.x < box.right && point.y >= box.top &&
            point.y < box.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
// Typing on a line takes every key, so none of them also drives, pauses or
// moves through the menu; the text comes as text events.
bool typingTakesEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_TEXTINPUT:
            pauseMenuText(event.text.text);
            return true;
        case SDL_KEYDOWN:
            switch (event.key.keysym.sym) {
                case SDLK_RETURN:
                case SDLK_KP_ENTER:
                    return pauseMenuCommand(MenuCommand::Select);
                case SDLK_ESCAPE:
                    return pauseMenuCommand(MenuCommand::Back);
                case SDLK_BACKSPACE:
                    return pauseMenuCommand(MenuCommand::Erase);
                default:
                    return true;
            }
        case SDL_CONTROLLERBUTTONDOWN:
            return event.cbutton.button == SDL_CONTROLLER_BUTTON_B
                       ? pauseMenuCommand(MenuCommand::Back)
                       : true;
        default:
            return false;
    }
}
}  // namespace

bool pauseMenuTakesEvent(const SDL_Event& event) {
    if (!pauseMenuShows()) {
        gStickLeaning = false;
        return false;
    }
    if (pauseMenuTypes()) {
        return typingTakesEvent(event);
    }
    if (pauseMenuWaitsForKey()) {
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
            pauseMenuKeyPressed(event.key.keysym.sym);
            return true;
        }
        if (event.type == SDL_CONTROLLERBUTTONDOWN) {
            pauseMenuPadButtonPressed(event.cbutton.button);
            return true;
        }
        return event.type == SDL_KEYDOWN;
    }
    switch (event.type) {
        case SDL_KEYDOWN:
            // Alt+Enter switches the screen, in the menu as in the race.
            return (event.key.keysym.mod & KMOD_ALT) == 0 && keyCommand(event.key.keysym.sym);
        case SDL_CONTROLLERBUTTONDOWN:
            return padCommand(event.cbutton.button);
        case SDL_CONTROLLERAXISMOTION:
            return stickCommand(event.caxis);
        case SDL_MOUSEMOTION:
            pauseMenuPoint(lineAt(event.motion.x, event.motion.y));
            return true;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                const int line = lineAt(event.button.x, event.button.y);
                if (line >= 0) {
                    pauseMenuPoint(line);
                    pauseMenuCommand(MenuCommand::Select);
                }
            }
            return true;
        default:
            return false;
    }
}

void keepPointerWithMenu() {
    static bool shown = false;
    const bool wanted = pauseMenuShows();
    if (wanted != shown) {
        SDL_ShowCursor(wanted ? SDL_ENABLE : SDL_DISABLE);
        shown = wanted;
    }
}

void drawPauseMenu(const FinishPanel* finished) {
    gLineBoxes = finished != nullptr ? drawPanelPair(*finished, pauseMenuView())
                                     : drawMenuPanel(pauseMenuView());
}
