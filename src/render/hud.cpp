#include "render/hud.h"

#include <GL/gl.h>

#include "assets/bitmap.h"
#include "assets/model.h"
#include "race/frame.h"
#include "race/opponent.h"
#include "race/player.h"
#include "render/lap_clock.h"
#include "render/overlay.h"
#include "render/texture_ids.h"

int32_t gRacePosition = 0;

namespace {
constexpr int32_t POSITION_REFRESH_PERIOD = 10;
constexpr float INDICATOR_HALF_WIDTH = 0.1f;
constexpr float INDICATOR_HALF_HEIGHT = INDICATOR_HALF_WIDTH * 1.3f;

constexpr float CLOCK_X = 874.0f;
constexpr float CLOCK_Y = 728.0f;
constexpr float LABEL_X = 864.0f;
constexpr float LAP_LINE = 10.0f;

// The player's lambda as the previous HUD saw it, to see the start line
// crossed between two frames. The craft starts on the line.
double gPreviousLambda = 0.0;
}  // namespace

int positionIndicatorTexture(int32_t place) {
    if (place < 1 || place > 6) {
        return -1;
    }
    return TEX_NUM_1 + place - 1;
}

void drawHud() {
    beginOverlay();
    if (gFrameCounter % POSITION_REFRESH_PERIOD == 0) {
        gRacePosition = racePosition();
    }
    applyColor(COLOR_RED);
    printAt(CLOCK_X, CLOCK_Y, "%s", gLapClock.elapsedText().c_str());

    gLapClock.registerLap(gLapClock.elapsedMs(), gPlayer.lambda, gPreviousLambda);
    gPreviousLambda = gPlayer.lambda;

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

void drawPositionIndicator() {
    const int texture = positionIndicatorTexture(gRacePosition);
    if (texture < 0) {
        return;  // before the first refresh there is no place to show
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gTextures[texture]);
    applyColorAlpha(COLOR_WHITE, 1.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // black parts of the digit leave the scene be
    glEnable(GL_BLEND);

    // The quad is placed directly in normalised device coordinates.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glPushMatrix();
    glTranslatef(0.8f, 0.8f, 0.0f);
    const float w = INDICATOR_HALF_WIDTH;
    const float h = INDICATOR_HALF_HEIGHT;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-w, h, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(w, h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(w, -h, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-w, -h, 0.0f);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
}
