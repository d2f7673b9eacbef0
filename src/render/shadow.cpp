#include "render/shadow.h"

#include <GL/gl.h>

#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"

void drawShadow(const Vector3& position, const Vector3& halfExtent, float angleDegrees) {
    // The frame buffer is multiplied by (1 - texel colour): white darkens, black leaves it be.
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    // The patch lies on the road without hiding anything drawn later.
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LEQUAL);

    glPushMatrix();
    glTranslatef(static_cast<float>(position.x), static_cast<float>(position.y),
                 static_cast<float>(position.z));
    glRotatef(angleDegrees, 0.0f, 1.0f, 0.0f);
    applyColor(COLOR_LIGHT_GREY);
    glBindTexture(GL_TEXTURE_2D, gTextures[TEX_SHADOW]);
    const float hx = static_cast<float>(halfExtent.x);
    const float hz = static_cast<float>(halfExtent.z);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-hx, 0.0f, hz);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(hx, 0.0f, hz);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(hx, 0.0f, -hz);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-hx, 0.0f, -hz);
    glEnd();
    glPopMatrix();

    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
}
