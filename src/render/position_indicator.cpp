#include <GL/gl.h>

#include "assets/bitmap.h"
#include "assets/model.h"
#include "render/hud.h"
#include "render/texture_ids.h"

int32_t gRacePosition = 0;

namespace {
constexpr float INDICATOR_HALF_WIDTH = 0.1f;
constexpr float INDICATOR_HALF_HEIGHT = INDICATOR_HALF_WIDTH * 1.3f;
}  // namespace

int positionIndicatorTexture(int32_t place) {
    if (place < 1 || place > 6) {
        return -1;
    }
    return TEX_NUM_1 + place - 1;
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
