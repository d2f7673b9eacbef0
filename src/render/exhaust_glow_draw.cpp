#include <GL/gl.h>

#include <cstdlib>

#include "assets/bitmap.h"
#include "race/player.h"
#include "render/exhaust_glow.h"
#include "render/texture_ids.h"

namespace {
constexpr float DEGREES_PER_RADIAN = 180.0f / 3.141592f;
constexpr float CRAFT_SCALE = 0.15f;
constexpr float PLAYER_BANK = 2000.0f;

void flare(float h) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-h, -h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(h, -h, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(h, h, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-h, h, 0.0f);
    glEnd();
}
}  // namespace

void ExhaustGlow::draw() const {
    const float h = static_cast<float>(flareHalfSize);
    for (int32_t i = 0; i < layers; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(layers);
        glColor3f(f, 0.3f, 1.0f);
        const float turn = f * 0.6f * DEGREES_PER_RADIAN;

        glPushMatrix();
        // Up to one unit of jitter per axis each frame makes the glow flicker;
        // the draws go z, y, x.
        const int jitterZ = std::rand() % 2;
        const int jitterY = std::rand() % 2;
        const int jitterX = std::rand() % 2;
        glTranslatef(static_cast<float>(gPlayer.position.x + jitterX),
                     static_cast<float>(gPlayer.position.y + jitterY),
                     static_cast<float>(gPlayer.position.z + jitterZ));
        // The craft's own frame, exactly as its model is placed.
        glScalef(CRAFT_SCALE, CRAFT_SCALE, CRAFT_SCALE);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glRotatef(-gPlayer.yaw * DEGREES_PER_RADIAN, 0.0f, 1.0f, 0.0f);
        glRotatef(PLAYER_BANK * gPlayer.yawRate, 0.0f, 0.0f, 1.0f);
        glTranslatef(-75.0f, -80.0f, -260.0f);  // the first nozzle
        glRotatef(turn, 0.0f, 0.0f, 1.0f);

        glEnable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, gTextures[TEX_FLARE]);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        flare(h);

        // The second nozzle's flare turns the other way.
        glRotatef(-turn, 0.0f, 0.0f, 1.0f);
        glTranslatef(150.0f, 0.0f, 0.0f);
        glRotatef(-turn, 0.0f, 0.0f, 1.0f);
        flare(h);
        glRotatef(turn, 0.0f, 0.0f, 1.0f);

        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glPopMatrix();
    }
}
