#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SDL_Window;

// Results of a display-mode change, with the values the mode switch reports.
enum DisplayChangeResult : int {
    DISP_CHANGE_SUCCESSFUL = 0,
    DISP_CHANGE_RESTART = 1,
    DISP_CHANGE_FAILED = -1,
    DISP_CHANGE_BADMODE = -2,
    DISP_CHANGE_NOTUPDATED = -3,
    DISP_CHANGE_BADFLAGS = -4,
    DISP_CHANGE_BADPARAM = -5,
};

constexpr int SCREEN_WIDTH = 1024;
constexpr int SCREEN_HEIGHT = 768;

// The box text for a mode-switch result, or nothing when that result shows none.
std::optional<std::string> displayChangeMessage(int result);

// Shows the result's box (caption "Orvanta") and posts the quit message when
// the result calls for it; returns 1 only for success.
int reportDisplayChange(int result);

// Chooses 1024 x 768 at the desktop's depth, for the window to be made
// fullscreen in when it is created. Returns the mode switch's result and shows
// nothing, so the caller can fall back on the desktop.
int chooseDisplayMode();
// chooseDisplayMode, reported with its box: 1 when the mode is available, else 0.
int setDisplayMode();
// The mode chosen by setDisplayMode, applied to the window at creation.
bool applyDisplayMode(SDL_Window* window);
int desktopBitsPerPixel();

// Double buffer, 8-bit red/green/blue, 24-bit depth, compatibility profile.
// SDL takes these before the window exists, so opening the window calls it first.
void setupPixelFormat();

struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

// The evenly spaced palette of a palette-based pixel format.
std::vector<PaletteEntry> computeEvenPalette(int colorBits, int redBits, int redShift,
                                             int greenBits, int greenShift, int blueBits,
                                             int blueShift);

// No palette-based display modes exist on this platform: returns null.
void* setupPalette(SDL_Window* deviceContext);

void initGlState();
void resizeViewport(int32_t width, int32_t height);
