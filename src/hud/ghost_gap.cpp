#include "hud/ghost_gap.h"

#include <cstdio>
#include <cstdlib>

#include "hud/overlay.h"

namespace {
constexpr float GAP_BASELINE = 118.0f;
constexpr float SCREEN_CENTRE_X = 512.0f;
constexpr float BAND_PADDING = 10.0f;
}  // namespace

std::string ghostGapText(int32_t ms) {
    const char* sign = ms < 0 ? "-" : ms > 0 ? "+" : "";
    const long magnitude = std::labs(static_cast<long>(ms));
    char text[32];
    std::snprintf(text, sizeof text, "%s%ld.%03ld", sign, magnitude / 1000, magnitude % 1000);
    return text;
}

ColorCode ghostGapColor(int32_t ms) {
    return ms < 0 ? COLOR_GREEN : ms > 0 ? COLOR_RED : COLOR_WHITE;
}

void drawGhostGap(int32_t ms) {
    const std::string text = ghostGapText(ms);
    const float width = overlayTextWidth(text);
    const float left = SCREEN_CENTRE_X - width / 2.0f;
    beginOverlay();
    drawShade(left - BAND_PADDING, GAP_BASELINE - 14.0f, left + width + BAND_PADDING,
              GAP_BASELINE + 6.0f, 0.5f);
    applyColor(ghostGapColor(ms));
    printAt(left, GAP_BASELINE, "%s", text.c_str());
    endOverlay();
}
