#include "render/hud.h"

#include "assets/palette.h"
#include "race/lap_clock.h"
#include "render/overlay.h"

namespace {
constexpr float CLOCK_X = 874.0f;
constexpr float CLOCK_Y = 728.0f;
constexpr float LABEL_X = 864.0f;
constexpr float LAP_LINE = 10.0f;
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
