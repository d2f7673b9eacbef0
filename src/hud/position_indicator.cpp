#include <GL/gl.h>

#include <cmath>

#include "hud/hud.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"
#include "race/standings.h"

namespace {
constexpr float INDICATOR_HALF_WIDTH = 0.1f;
constexpr float INDICATOR_HALF_HEIGHT = INDICATOR_HALF_WIDTH * 1.3f;
// The quad is placed directly in normalised device coordinates.
constexpr float INDICATOR_X = 0.8f;
constexpr float INDICATOR_Y = 0.8f;
// How far the dark rim reaches past the strokes: three pixels on the game's
// 1024 x 768 screen, in normalised device units.
constexpr float RIM_X = 3.0f * 2.0f / 1024.0f;
constexpr float RIM_Y = 3.0f * 2.0f / 768.0f;
constexpr int RIM_STEPS = 8;

void drawDigitQuad(float x, float y) {
    const float w = INDICATOR_HALF_WIDTH;
    const float h = INDICATOR_HALF_HEIGHT;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x - w, y + h, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + w, y + h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + w, y - h, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x - w, y - h, 0.0f);
    glEnd();
}

// Added light alone cannot stand out over a pale sky, so the sky first goes
// dark wherever the digit's strokes would fall if moved a few pixels any way:
// every stroke ends up with a dark rim to glow against.
void darkenAroundStrokes() {
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    for (int i = 0; i < RIM_STEPS; ++i) {
        const float angle = 6.283185f * static_cast<float>(i) / RIM_STEPS;
        drawDigitQuad(INDICATOR_X + RIM_X * std::cos(angle), INDICATOR_Y + RIM_Y * std::sin(angle));
    }
}
}  // namespace

int positionIndicatorTexture(int32_t place) {
    if (place < 1 || place > 6) {
        return -1;
    }
    return TEX_NUM_1 + place - 1;
}

void drawPositionIndicator() {
    // Past the finish the place at the line stands, whoever flies by after.
    const int32_t place = gFinalPlace != 0 ? gFinalPlace : gRacePosition;
    const int texture = positionIndicatorTexture(place);
    if (texture < 0) {
        return;  // before the first refresh there is no place to show
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gTextures[texture]);
    // Lit, the white quad would take the riding light's blue and tint the digit.
    const GLboolean lighting = glIsEnabled(GL_LIGHTING);
    glDisable(GL_LIGHTING);
    // All the passes lie at one depth; each must reach the screen.
    const GLboolean depthTest = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    applyColorAlpha(COLOR_WHITE, 1.0f);
    glEnable(GL_BLEND);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    darkenAroundStrokes();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // black parts of the digit leave the scene be
    drawDigitQuad(INDICATOR_X, INDICATOR_Y);
    glMatrixMode(GL_MODELVIEW);

    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    if (lighting == GL_TRUE) {
        glEnable(GL_LIGHTING);
    }
    if (depthTest == GL_TRUE) {
        glEnable(GL_DEPTH_TEST);
    }
}
