#pragma once

struct SDL_Window;

// F12: the frame being drawn is saved as a PNG in the screenshots folder (see
// saves/screenshot_file.h) when it is shown, at the window's full size with
// the HUD and the bars as the player sees them.
void requestScreenshot();

// Saves the window's back buffer when a shot was asked for, and says where on
// standard error. Called right before the swap, once the back buffer holds the
// whole frame. A shot that cannot be saved is said once a run; the game goes on.
void takeRequestedScreenshot(SDL_Window* window);
