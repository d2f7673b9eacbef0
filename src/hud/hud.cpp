#include "hud/hud.h"

#include <algorithm>
#include <string>

#include "hud/overlay.h"
#include "hud/speed_readout.h"
#include "models/palette.h"
#include "race/lap_clock.h"

namespace {
// The clock's column ends this far in from the screen's right edge and the
// third lap stands on the bottom line, whatever the size: the block grows up
// and to the left.
constexpr float CLOCK_RIGHT_MARGIN = 87.0f;
constexpr float LAST_LAP_MARGIN = 10.0f;
const std::string WIDEST_TIME = " 0: 0:000";
constexpr float REPLAY_BAND_HEIGHT = 46.0f;
const std::string REPLAY_KEYS = "P pause - F fast - B back 10 s - R restart - Esc quit";
// On the title's line, ending where the keys beneath end.
const std::string REPLAY_VIEW_KEYS = "C camera - V cockpit - M map";

// The clock's column, its first line and the step between lines, at the
// chosen size.
struct ClockColumn {
    float x;
    float clockY;
    float lapLine;
    float labelX;
};

ClockColumn clockColumn() {
    const float scale = overlayScale();
    ClockColumn column;
    const OverlayCanvas& canvas = overlayCanvas();
    column.x = canvas.width - CLOCK_RIGHT_MARGIN - overlayTextWidth(WIDEST_TIME);
    column.lapLine = 10.0f * scale;
    column.clockY = canvas.height - LAST_LAP_MARGIN - 3.0f * column.lapLine;
    column.labelX = column.x - 10.0f * scale;
    return column;
}

// A label ending where the clock's column begins, then a time in that column.
void printBestTime(float y, const std::string& label, uint32_t ms) {
    if (ms == 0) {
        return;
    }
    const float x = clockColumn().x;
    printAt(x - overlayTextWidth(label), y, "%s", label.c_str());
    printAt(x, y, "%s", clockText(ms).c_str());
}
}  // namespace

void drawHud() {
    const ClockColumn column = clockColumn();
    beginOverlay();
    applyColor(COLOR_RED);
    printAt(column.x, column.clockY, "%s", gLapClock.elapsedText().c_str());

    applyColor(COLOR_GREY);
    for (int lap = 3; lap >= 1; --lap) {
        printAt(column.labelX, column.clockY + column.lapLine * static_cast<float>(lap), "%d.",
                lap);
    }
    for (int lap = 0; lap < 3; ++lap) {
        if (gLapClock.lapMs[lap] != 0) {
            applyColor(COLOR_WHITE);
            printAt(column.x, column.clockY + column.lapLine * static_cast<float>(lap + 1), "%s",
                    gLapClock.lapText(lap).c_str());
        }
    }
    endOverlay();
}

namespace {
// The speed ends two characters short of the lap labels, on the third lap's line.
float speedLeft(const ClockColumn& column, const std::string& text) {
    return column.labelX - overlayTextWidth("  " + text);
}
}  // namespace

void drawSpeed(float unitsPerTick) {
    const ClockColumn column = clockColumn();
    const std::string text = speedText(unitsPerTick);
    beginOverlay();
    applyColor(COLOR_GREY);
    printAt(speedLeft(column, text), column.clockY + 3.0f * column.lapLine, "%s", text.c_str());
    endOverlay();
}

float clockBlockLeft() {
    const ClockColumn column = clockColumn();
    const float records = column.x - overlayTextWidth("best race");
    return std::min(records, speedLeft(column, speedText(0.0f)));
}

void drawBestTimes(uint32_t bestLapMs, uint32_t bestRaceMs) {
    if (bestLapMs == 0 && bestRaceMs == 0) {
        return;
    }
    const ClockColumn column = clockColumn();
    beginOverlay();
    applyColor(COLOR_GREY);
    printBestTime(column.clockY - 2 * column.lapLine, "best lap", bestLapMs);
    printBestTime(column.clockY - column.lapLine, "best race", bestRaceMs);
    endOverlay();
}

float replayBannerBottom() {
    return REPLAY_BAND_HEIGHT * overlayScale();
}

void drawReplayBanner(bool fastForward, bool paused) {
    const float scale = overlayScale();
    const float left = 16.0f * scale;
    // As wide as the keys' line and a margin, at least the band of old.
    const float right = std::max(400.0f, left + overlayTextWidth(REPLAY_KEYS) + 13.0f * scale);
    beginOverlay();
    drawShade(0.0f, 0.0f, right, replayBannerBottom(), 0.5f);
    applyColor(COLOR_WHITE);
    const char* title = paused ? "REPLAY PAUSED" : fastForward ? "REPLAY 4x" : "REPLAY";
    printAt(left, 20.0f * scale, "%s", title);
    applyColor(COLOR_LIGHT_GREY);
    const float keysRight = left + overlayTextWidth(REPLAY_KEYS);
    printAt(keysRight - overlayTextWidth(REPLAY_VIEW_KEYS), 20.0f * scale, "%s",
            REPLAY_VIEW_KEYS.c_str());
    printAt(left, 36.0f * scale, "%s", REPLAY_KEYS.c_str());
    endOverlay();
}
