#pragma once

#include "hud/overlay_canvas.h"

// A rectangle of window pixels, counted from the bottom left as OpenGL does.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ScreenRect& other) const {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};

// Where a point the mouse reports in a window of the given size (origin top
// left, in the window's own coordinates) falls on the overlay laid over its
// drawable, which a HiDPI screen makes larger than the window.
OverlayPoint overlayPointOfWindow(int x, int y, int windowWidth, int windowHeight,
                                  int drawableWidth, int drawableHeight);
