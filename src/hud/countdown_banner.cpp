#include "hud/countdown_banner.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
// The band's middle, as a share of the picture's height: above the craft,
// below WRONG WAY and the ghost's gap even at their largest.
constexpr float BAND_MIDDLE = 0.45f;
constexpr float BAND_OPACITY = 0.6f;
}  // namespace

void drawCountdown(int step) {
    // Loud whatever the HUD's size: the largest of the three.
    const HudSize chosen = hudSize();
    setHudSize(HudSize::Huge);
    const std::string words = step > 0 ? std::to_string(step) : "GO";
    const float scale = overlayScale();
    const float width = overlayTextWidth(words);
    const float left = overlayCanvas().width / 2.0f - width / 2.0f;
    const float padding = 24.0f * scale;
    const float middle = overlayCanvas().height * BAND_MIDDLE;
    const float baseline = middle + 5.0f * scale;
    beginOverlay();
    drawShade(left - padding, middle - 14.0f * scale, left + width + padding,
              middle + 14.0f * scale, BAND_OPACITY);
    applyColor(step > 0 ? COLOR_WHITE : COLOR_GREEN);
    printAt(left, baseline, "%s", words.c_str());
    endOverlay();
    setHudSize(chosen);
}
