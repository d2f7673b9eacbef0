#pragma once

#include <cstdint>

struct SDL_Window;

// Program-wide handles and flags of the shell. Each starts at zero/null.
// The game window, where frames are swapped; null until created and after it is destroyed.
extern SDL_Window* gWindow;
extern void* gRenderContext;    // the OpenGL context (an SDL_GLContext)
extern void* gPalette;          // always null: no palette-based display modes exist here
extern int32_t gQuitRequested;  // the main loop runs while this is 0; Esc sets it
extern int32_t gUseJoystick;    // nonzero would select joystick control; the keyboard drives
