#pragma once

// The screen the HUD is laid out on: its real pixels, and the overlay's units
// over them. Up to 768 lines a unit is a pixel, so the design's 1024 x 768
// screen is laid out as it always was; above, the overlay is 768 units high
// and as wide as the screen's shape makes it, so every block keeps its corner
// and its share of the screen's height.
struct OverlayCanvas {
    int pixelWidth = 1024;
    int pixelHeight = 768;
    float pixelsPerUnit = 1.0f;
    float width = 1024.0f;  // in units
    float height = 768.0f;
    // The HUD's text at the normal size, as a multiple of the design's 12
    // pixels in units: 1 up to 768 lines, growing faster than the screen
    // above, so text stays readable on a large screen.
    float textScale = 1.0f;
    // The largest text scale at which the tallest panel still fits.
    float largestTextScale = 2.0f;
};

// The normal text's height in pixels for a screen of this many lines: the
// design's 12 up to 768 lines, 36 (clock digits 24 pixels tall) at 1080,
// and a thirtieth of the screen above (48 at 1440, 72 at 2160), smoothly
// between.
float normalTextPixels(int screenHeight);

OverlayCanvas overlayCanvasFor(int pixelWidth, int pixelHeight);

// The screen the overlay is drawn on from now on, in pixels: the window's
// drawable. 1024 x 768 until told.
void setOverlayScreen(int pixelWidth, int pixelHeight);
const OverlayCanvas& overlayCanvas();

// A place on the overlay, in its units (origin top left, y growing down).
struct OverlayPoint {
    float x = 0.0f;
    float y = 0.0f;
};

// A rectangle of the overlay, in its units (origin top left).
struct OverlayRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// Where a pixel of the screen (origin top left) falls in overlay units.
OverlayPoint overlayPointOfPixel(float x, float y);
