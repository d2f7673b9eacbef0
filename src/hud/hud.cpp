#include "hud/hud.h"

#include <string>

#include "hud/overlay.h"
#include "models/palette.h"
#include "race/lap_clock.h"

namespace {
constexpr float CLOCK_X = 874.0f;
constexpr float CLOCK_Y = 728.0f;
constexpr float LABEL_X = 864.0f;
constexpr float LAP_LINE = 10.0f;

// A label ending where the clock's column begins, then a time in that column.
void printBestTime(float y, const std::string& label, uint32_t ms) {
    if (ms == 0) {
        return;
    }
    printAt(CLOCK_X - overlayTextWidth(label), y, "%s", label.c_str());
    printAt(CLOCK_X, y, "%s", clockText(ms).c_str());
}
}  // namespace

void drawHud() {
    beginOverlay();
    applyColor(COLOR_RED);
    printAt(CLOCK_X, CLOCK_Y, "%s", gLapClock.elapsedText().c_str());

    applyColor(COLOR_GREY);
    printAt(LABEL_X, CLOCK_Y + 3 * LAP_LINE, "3.");
    printAt(LABEL_X, CLOCK_Y + 2 * LAP_LINE, "2.");
    printAt(LABEL_X, CLOCK_Y + LAP_LINE, "1.");
    for (int lap = 0; lap < 3; ++lap) {
        if (gLapClock.lapMs[lap] != 0) {
            applyColor(COLOR_WHITE);
            printAt(CLOCK_X, CLOCK_Y + LAP_LINE * static_cast<float>(lap + 1), "%s",
                    gLapClock.lapText(lap).c_str());
        }
    }
    endOverlay();
}

void drawBestTimes(uint32_t bestLapMs, uint32_t bestRaceMs) {
    if (bestLapMs == 0 && bestRaceMs == 0) {
        return;
    }
    beginOverlay();
    applyColor(COLOR_GREY);
    printBestTime(CLOCK_Y - 2 * LAP_LINE, "best lap", bestLapMs);
    printBestTime(CLOCK_Y - LAP_LINE, "best race", bestRaceMs);
    endOverlay();
}

void drawReplayBanner(bool fastForward) {
    beginOverlay();
    drawShade(0.0f, 0.0f, 400.0f, 46.0f, 0.5f);
    applyColor(COLOR_WHITE);
    printAt(16.0f, 20.0f, "%s", fastForward ? "REPLAY 4x" : "REPLAY");
    applyColor(COLOR_LIGHT_GREY);
    printAt(16.0f, 36.0f, "%s", "P pause - F fast - B back 10 s - R restart - Esc quit");
    endOverlay();
}
