#include "hud/pause_banner.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr float SCREEN_WIDTH_UNITS = 1024.0f;
constexpr float SCREEN_HEIGHT_UNITS = 768.0f;
constexpr float DIMMING = 0.35f;
// The band grows both ways from its middle.
constexpr float BAND_MIDDLE = 382.0f;
constexpr float BAND_OPACITY = 0.6f;
const std::string TITLE = "PAUSED";
const std::string KEYS = "P resume - R race again - N next circuit - Esc quit";

void printCentred(float baseline, const std::string& text) {
    printAt((SCREEN_WIDTH_UNITS - overlayTextWidth(text)) / 2.0f, baseline, "%s", text.c_str());
}
}  // namespace

void drawPauseBanner() {
    beginOverlay();
    drawShade(0.0f, 0.0f, SCREEN_WIDTH_UNITS, SCREEN_HEIGHT_UNITS, DIMMING);
    const float scale = overlayScale();
    drawShade(0.0f, BAND_MIDDLE - 30.0f * scale, SCREEN_WIDTH_UNITS, BAND_MIDDLE + 30.0f * scale,
              BAND_OPACITY);
    applyColor(COLOR_WHITE);
    printCentred(BAND_MIDDLE - 6.0f * scale, TITLE);
    applyColor(COLOR_LIGHT_GREY);
    printCentred(BAND_MIDDLE + 14.0f * scale, KEYS);
    endOverlay();
}
