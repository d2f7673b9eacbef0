#pragma once

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
