#include "hud/overlay_canvas.h"

#include <algorithm>

namespace {
constexpr float DESIGN_WIDTH = 1024.0f;
constexpr float DESIGN_HEIGHT = 768.0f;
constexpr float DESIGN_TEXT_PIXELS = 12.0f;
constexpr float LARGE_SCREEN_LINES = 1080.0f;
constexpr float LARGE_SCREEN_TEXT_PIXELS = 36.0f;
// The layout is known to fit the design's screen with text twice its size.
constexpr float DESIGN_LARGEST_TEXT_SCALE = 2.0f;
// What of the screen's height the panels do not grow into: the finish
// panel's top and the map with its margins.
constexpr float FIXED_HEIGHT = 150.0f + 208.0f;

OverlayCanvas gCanvas = overlayCanvasFor(1024, 768);
}  // namespace

float normalTextPixels(int screenHeight) {
    const float lines = static_cast<float>(screenHeight);
    if (lines <= DESIGN_HEIGHT) {
        return DESIGN_TEXT_PIXELS;
    }
    if (lines < LARGE_SCREEN_LINES) {
        const float along = (lines - DESIGN_HEIGHT) / (LARGE_SCREEN_LINES - DESIGN_HEIGHT);
        return DESIGN_TEXT_PIXELS + along * (LARGE_SCREEN_TEXT_PIXELS - DESIGN_TEXT_PIXELS);
    }
    return lines * LARGE_SCREEN_TEXT_PIXELS / LARGE_SCREEN_LINES;
}

OverlayCanvas overlayCanvasFor(int pixelWidth, int pixelHeight) {
    OverlayCanvas canvas;
    canvas.pixelWidth = std::max(pixelWidth, 1);
    canvas.pixelHeight = std::max(pixelHeight, 1);
    canvas.pixelsPerUnit = std::max(1.0f, static_cast<float>(canvas.pixelHeight) / DESIGN_HEIGHT);
    canvas.width = static_cast<float>(canvas.pixelWidth) / canvas.pixelsPerUnit;
    canvas.height = static_cast<float>(canvas.pixelHeight) / canvas.pixelsPerUnit;
    canvas.textScale =
        normalTextPixels(canvas.pixelHeight) / (DESIGN_TEXT_PIXELS * canvas.pixelsPerUnit);
    // A screen narrower or lower than the design's has less room for the
    // panels to grow into: below the finish panel's top and above the map,
    // which keep their size.
    const float roomAcross = canvas.width / DESIGN_WIDTH;
    const float roomDown = (canvas.height - FIXED_HEIGHT) / (DESIGN_HEIGHT - FIXED_HEIGHT);
    const float room = std::min({1.0f, roomAcross, roomDown});
    canvas.largestTextScale = std::max(DESIGN_LARGEST_TEXT_SCALE * room, canvas.textScale);
    return canvas;
}

void setOverlayScreen(int pixelWidth, int pixelHeight) {
    gCanvas = overlayCanvasFor(pixelWidth, pixelHeight);
}

const OverlayCanvas& overlayCanvas() {
    return gCanvas;
}

OverlayPoint overlayPointOfPixel(float x, float y) {
    return {x / gCanvas.pixelsPerUnit, y / gCanvas.pixelsPerUnit};
}
