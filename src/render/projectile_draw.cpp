#include <GL/gl.h>

#include "craft/projectile.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"
#include "race/race.h"
#include "render/flare_quad.h"

namespace {
constexpr float FLARE_HALF_SIZE = 40.0f;
constexpr float SPIN_DEGREES_PER_FRAME = 40.0f;
}  // namespace

void Projectile::draw() const {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, gTextures[TEX_FLARE]);
    glDisable(GL_CULL_FACE);

    glPushMatrix();
    glTranslatef(static_cast<float>(position.x), static_cast<float>(position.y),
                 static_cast<float>(position.z));
    glRotatef(SPIN_DEGREES_PER_FRAME * static_cast<float>(gFrameCounter), 0.0f, 1.0f, 1.0f);
    applyColorAlpha(COLOR_RED, 1.0f);
    drawFlareQuad(FLARE_HALF_SIZE);
    // The blue flare stands at right angles to the red one.
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    applyColorAlpha(COLOR_BLUE, 1.0f);
    drawFlareQuad(FLARE_HALF_SIZE);
    glPopMatrix();

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}
