#include "hud/overlay.h"

namespace {
HudSize gHudSize = HudSize::Normal;

int sizeIndex() {
    return static_cast<int>(gHudSize);
}
}  // namespace

void setHudSize(HudSize size) {
    const int index = static_cast<int>(size);
    gHudSize = index >= 0 && index < HUD_SIZE_COUNT ? size : HudSize::Normal;
}

HudSize hudSize() {
    return gHudSize;
}

float overlayScale() {
    return static_cast<float>(OVERLAY_GLYPH_PIXELS[sizeIndex()]) /
           static_cast<float>(OVERLAY_GLYPH_PIXELS[0]);
}

float overlayLineHeight() {
    return 16.0f * overlayScale();
}

float overlayTextWidth(const std::string& text) {
    return OVERLAY_GLYPH_ADVANCES[sizeIndex()] * static_cast<float>(text.size());
}
