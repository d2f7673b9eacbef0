#include "hud/pause_banner.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr float SCREEN_WIDTH_UNITS = 1024.0f;
constexpr float SCREEN_HEIGHT_UNITS = 768.0f;
constexpr float DIMMING = 0.35f;
constexpr float BAND_TOP = 352.0f;
constexpr float BAND_BOTTOM = 412.0f;
constexpr float BAND_OPACITY = 0.6f;
constexpr float TITLE_BASELINE = 376.0f;
constexpr float KEYS_BASELINE = 396.0f;
const std::string TITLE = "PAUSED";
const std::string KEYS = "P resume - R race again - N next circuit - Esc quit";

void printCentred(float baseline, const std::string& text) {
    printAt((SCREEN_WIDTH_UNITS - overlayTextWidth(text)) / 2.0f, baseline, "%s", text.c_str());
}
}  // namespace

void drawPauseBanner() {
    beginOverlay();
    drawShade(0.0f, 0.0f, SCREEN_WIDTH_UNITS, SCREEN_HEIGHT_UNITS, DIMMING);
    drawShade(0.0f, BAND_TOP, SCREEN_WIDTH_UNITS, BAND_BOTTOM, BAND_OPACITY);
    applyColor(COLOR_WHITE);
    printCentred(TITLE_BASELINE, TITLE);
    applyColor(COLOR_LIGHT_GREY);
    printCentred(KEYS_BASELINE, KEYS);
    endOverlay();
}
