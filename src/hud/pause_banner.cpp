#include "hud/pause_banner.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr float PAUSE_DIMMING = 0.35f;
// The band grows both ways from its middle, just above the screen's.
constexpr float BAND_ABOVE_MIDDLE = 2.0f;
constexpr float PAUSE_BAND_OPACITY = 0.6f;
const std::string TITLE = "PAUSED";
const std::string KEYS = "P resume - B back 10 s - R restart - Esc quit";

void printCentred(float baseline, const std::string& text) {
    printAt((overlayCanvas().width - overlayTextWidth(text)) / 2.0f, baseline, "%s", text.c_str());
}
}  // namespace

void drawPauseBanner() {
    const OverlayCanvas& canvas = overlayCanvas();
    const float middle = canvas.height / 2.0f - BAND_ABOVE_MIDDLE;
    beginOverlay();
    drawShade(0.0f, 0.0f, canvas.width, canvas.height, PAUSE_DIMMING);
    const float scale = overlayScale();
    drawShade(0.0f, middle - 30.0f * scale, canvas.width, middle + 30.0f * scale,
              PAUSE_BAND_OPACITY);
    applyColor(COLOR_WHITE);
    printCentred(middle - 6.0f * scale, TITLE);
    applyColor(COLOR_LIGHT_GREY);
    printCentred(middle + 14.0f * scale, KEYS);
    endOverlay();
}
