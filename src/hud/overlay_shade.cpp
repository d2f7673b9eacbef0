#include <GL/gl.h>

#include "hud/overlay.h"

void drawShade(float x0, float y0, float x1, float y1, float opacity) {
    // The overlay draws with blending off; the shade is the one thing in it
    // that needs to let the picture through.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.0f, 0.0f, 0.0f, opacity);
    glBegin(GL_QUADS);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
    glDisable(GL_BLEND);
}
