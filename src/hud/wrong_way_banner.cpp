#include "hud/wrong_way_banner.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
// Below the ghost's gap, even at its largest.
constexpr float WRONG_WAY_BAND_TOP = 150.0f;
constexpr float WRONG_WAY_BAND_OPACITY = 0.6f;
const std::string WORDS = "WRONG WAY";
}  // namespace

void drawWrongWay() {
    // Loud whatever the HUD's size: the largest of the three.
    const HudSize chosen = hudSize();
    setHudSize(HudSize::Huge);
    const float scale = overlayScale();
    const float width = overlayTextWidth(WORDS);
    const float left = overlayCanvas().width / 2.0f - width / 2.0f;
    const float padding = 24.0f * scale;
    const float baseline = WRONG_WAY_BAND_TOP + 18.0f * scale;
    beginOverlay();
    drawShade(left - padding, WRONG_WAY_BAND_TOP, left + width + padding, baseline + 10.0f * scale,
              WRONG_WAY_BAND_OPACITY);
    applyColor(COLOR_RED);
    printAt(left, baseline, "%s", WORDS.c_str());
    endOverlay();
    setHudSize(chosen);
}
