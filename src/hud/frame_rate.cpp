#include "hud/frame_rate.h"

#include <cmath>
#include <cstdio>

#include "hud/hud.h"
#include "hud/overlay.h"
#include "models/palette.h"

bool gShowFrameRate = false;

void drawFrameRate(double framesPerSecond, double ticksPerSecond, bool belowReplayBanner) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f fps  %.0f ticks/s", std::round(framesPerSecond),
                  std::round(ticksPerSecond));
    const float scale = overlayScale();
    const float top = belowReplayBanner ? replayBannerBottom() : 0.0f;
    const float left = 16.0f * scale;
    beginOverlay();
    drawShade(0.0f, top, left + overlayTextWidth(text) + 13.0f * scale, top + 24.0f * scale, 0.5f);
    applyColor(COLOR_LIGHT_GREY);
    printAt(left, top + 17.0f * scale, "%s", text);
    endOverlay();
}
