// screen: the game's window and display mode, its message boxes, the picture fitted to it.
#pragma once

#include <cstdint>

struct SDL_Window;

// The game window, where frames are swapped; null until created and after it is destroyed.
extern SDL_Window* gWindow;
extern void* gRenderContext;  // the OpenGL context (an SDL_GLContext)
extern void* gPalette;        // always null: no palette-based display modes exist here
extern int32_t gUseJoystick;  // nonzero would select joystick control; the keyboard drives

// What a new game window brings up besides its OpenGL context.
enum class WindowContents {
    Bare,  // the context with its fixed state and viewport, nothing loaded: for drawing in tests
    Game,  // all of window creation: hidden cursor, scene, sound and joystick as well
};

// Opens the game's only window, titled "Zentrix - " and the circuit's name, with the game's pixel
// format, placed as gDisplayChoice says (borderless 1024 x 768, in the display mode
// chooseDisplayMode chose if it chose one; the whole desktop; or a resizable
// window), its context current and its picture fitted, then shows it. From
// then on it is gWindow. Returns null, leaving gWindow alone, when no window
// or no OpenGL context can be had.
SDL_Window* openGameWindow(WindowContents contents);

// The destroy sequence: releases the context, restores the display mode, shows
// the cursor and posts the quit message. Does nothing once the window is gone.
void destroyGameWindow();

// Lays the picture over the game window's present drawable size.
void fitPictureToGameWindow();

// Keeps the window's title naming the circuit raced, when that changes.
void keepTitleOnCircuit();

// Shows the finished frame in the game window, if there is one.
void swapGameBuffers();
