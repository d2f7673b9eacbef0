#include "hud/ghost_gap.h"

#include <cstdio>
#include <cstdlib>

#include "hud/overlay.h"

namespace {
// The band hangs from here, below the replay banner even at its largest,
// and grows down to just above the finish panel.
constexpr float BAND_TOP = 104.0f;
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
    const float scale = overlayScale();
    const float width = overlayTextWidth(text);
    const float left = overlayCanvas().width / 2.0f - width / 2.0f;
    const float padding = 10.0f * scale;
    const float baseline = BAND_TOP + 14.0f * scale;
    beginOverlay();
    drawShade(left - padding, BAND_TOP, left + width + padding, baseline + 6.0f * scale, 0.5f);
    applyColor(ghostGapColor(ms));
    printAt(left, baseline, "%s", text.c_str());
    endOverlay();
}
