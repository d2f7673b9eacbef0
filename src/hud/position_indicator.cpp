#include <GL/gl.h>

#include <cmath>

#include "hud/hud.h"
#include "hud/overlay_canvas.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"
#include "race/race.h"
#include "race/standings.h"

namespace {
// The quad is placed directly in normalised device coordinates, as it lies on
// the design's 1024 x 768 screen; on any other it keeps its size in overlay
// units and its place from the top right corner.
constexpr float INDICATOR_HALF_WIDTH = 0.1f;
constexpr float INDICATOR_HALF_HEIGHT = INDICATOR_HALF_WIDTH * 1.3f;
constexpr float INDICATOR_X = 0.8f;
constexpr float INDICATOR_Y = 0.8f;
constexpr float INDICATOR_DESIGN_WIDTH = 1024.0f;
constexpr float INDICATOR_DESIGN_HEIGHT = 768.0f;
// How far the dark rim reaches past the strokes: three units, in normalised
// device units of the design's screen.
constexpr float RIM_X = 3.0f * 2.0f / INDICATOR_DESIGN_WIDTH;
constexpr float RIM_Y = 3.0f * 2.0f / INDICATOR_DESIGN_HEIGHT;
constexpr int RIM_STEPS = 8;

// The quad's place and size on this screen, in normalised device units.
struct DigitPlace {
    float x;
    float y;
    float halfWidth;
    float halfHeight;
    float rimX;
    float rimY;
};

DigitPlace digitPlace() {
    const OverlayCanvas& canvas = overlayCanvas();
    const float sx = INDICATOR_DESIGN_WIDTH / canvas.width;
    const float sy = INDICATOR_DESIGN_HEIGHT / canvas.height;
    return {1.0f - (1.0f - INDICATOR_X) * sx,
            1.0f - (1.0f - INDICATOR_Y) * sy,
            INDICATOR_HALF_WIDTH * sx,
            INDICATOR_HALF_HEIGHT * sy,
            RIM_X * sx,
            RIM_Y * sy};
}

void drawDigitQuad(const DigitPlace& place, float x, float y) {
    const float w = place.halfWidth;
    const float h = place.halfHeight;
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
void darkenAroundStrokes(const DigitPlace& place) {
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    for (int i = 0; i < RIM_STEPS; ++i) {
        const float angle = 6.283185f * static_cast<float>(i) / RIM_STEPS;
        drawDigitQuad(place, place.x + place.rimX * std::cos(angle),
                      place.y + place.rimY * std::sin(angle));
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
    if (raceMode() == RaceMode::TimeTrial) {
        return;  // alone on the road there is no place to take
    }
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
    const DigitPlace quad = digitPlace();
    darkenAroundStrokes(quad);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // black parts of the digit leave the scene be
    drawDigitQuad(quad, quad.x, quad.y);
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
