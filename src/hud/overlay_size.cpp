#include <algorithm>
#include <cmath>

#include "hud/overlay.h"

namespace {
HudSize gHudSize = HudSize::Normal;
float gScaleCap = 1e9f;  // none
constexpr float HUD_SIZE_FACTORS[HUD_SIZE_COUNT] = {1.0f, 1.5f, 2.0f};
constexpr float TEXT_PIXELS_AT_DESIGN_SIZE = 12.0f;
// The mono face steps on by this much of its height.
constexpr float MONO_ADVANCE = 0.6f;
}  // namespace

void setHudSize(HudSize size) {
    const int index = static_cast<int>(size);
    gHudSize = index >= 0 && index < HUD_SIZE_COUNT ? size : HudSize::Normal;
}

HudSize hudSize() {
    return gHudSize;
}

float overlayScale() {
    const OverlayCanvas& canvas = overlayCanvas();
    const float wanted = canvas.textScale * HUD_SIZE_FACTORS[static_cast<int>(gHudSize)];
    return std::min({wanted, canvas.largestTextScale, gScaleCap});
}

OverlayTextCap::OverlayTextCap(int pixels) : before_(gScaleCap) {
    const OverlayCanvas& canvas = overlayCanvas();
    gScaleCap = std::min(gScaleCap, static_cast<float>(pixels) /
                                        (TEXT_PIXELS_AT_DESIGN_SIZE * canvas.pixelsPerUnit));
}

OverlayTextCap::~OverlayTextCap() {
    gScaleCap = before_;
}

int overlayTextPixels() {
    return static_cast<int>(
        std::lround(TEXT_PIXELS_AT_DESIGN_SIZE * overlayScale() * overlayCanvas().pixelsPerUnit));
}

float overlayLineHeight() {
    return 16.0f * overlayScale();
}

float overlayTextWidth(const std::string& text) {
    const int pixels = overlayTextPixels();
    const auto atlas = gOverlayFont.atlases.find(pixels);
    // Before its glyphs are made, the step the mono face is hinted to.
    const float advance = atlas != gOverlayFont.atlases.end() && atlas->second.advance > 0.0f
                              ? atlas->second.advance
                              : std::round(MONO_ADVANCE * static_cast<float>(pixels));
    return advance * static_cast<float>(text.size()) / overlayCanvas().pixelsPerUnit;
}
