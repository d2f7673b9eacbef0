#pragma once

#include "saves/settings.h"

struct SDL_Window;

// How the race is put on the screen.
enum class DisplayChoice {
    Fullscreen,  // the display switched to 1024 x 768
    Desktop,     // the whole screen, left at the desktop's own resolution
    Windowed,    // a 1024 x 768 window among the others
};

// The display the player chose, read when the game window opens.
extern DisplayChoice gDisplayChoice;

// Puts the game window on the screen as the display choice says: switched to
// 1024 x 768 (when a mode was chosen), covering the desktop, or as a
// resizable 1024 x 768 window.
void placeGameWindow(SDL_Window* window, DisplayChoice choice);

// How the game window was last placed.
DisplayChoice gameWindowPlacement();

// Alt+Enter: a window comes to cover the desktop; a full screen of either
// kind becomes a window again.
void toggleWindowedAndDesktop(SDL_Window* window);

// The player's screen setting and the window's placement, one for the other.
DisplayChoice displayChoiceFor(ScreenSetting setting);
ScreenSetting screenSettingFor(DisplayChoice choice);

// The choice as the display can give it: a full screen needs its 1024 x 768
// mode, and without one the game races on the whole desktop instead, said on
// standard error the first time only.
DisplayChoice displayChoiceThatFits(DisplayChoice wanted);

// The screen setting chosen while the game runs: the window placed as
// displayChoiceThatFits says, its picture fitted to its new size. Needs the
// window's context current.
void placeGameWindowAt(SDL_Window* window, ScreenSetting setting);
