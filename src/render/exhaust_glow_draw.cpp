#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "craft/exhaust_glow.h"
#include "craft/player.h"
#include "images/texture.h"
#include "images/texture_ids.h"
#include "race/race.h"
#include "render/craft_draw.h"
#include "render/flare_quad.h"

namespace {
constexpr float GLOW_DEGREES_PER_RADIAN = 180.0f / 3.141592f;

struct Jitter {
    int x = 0;
    int y = 0;
    int z = 0;
};
// Each layer's last flicker: a paused race is redrawn every frame, and its
// glow holds still with the rest of the picture.
std::array<Jitter, 8> gLastJitter;

// Up to one unit per axis each frame makes the glow flicker; the draws go z, y, x.
Jitter layerJitter(int32_t layer, bool flicker) {
    Jitter& last = gLastJitter[std::min(static_cast<size_t>(layer), gLastJitter.size() - 1)];
    if (flicker && !raceIsPaused()) {
        last.z = std::rand() % 2;
        last.y = std::rand() % 2;
        last.x = std::rand() % 2;
    }
    return last;
}
}  // namespace

void ExhaustGlow::draw(bool flicker) const {
    const float h = static_cast<float>(flareHalfSize);
    for (int32_t i = 0; i < layers; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(layers);
        glColor3f(f, 0.3f, 1.0f);
        const float turn = f * 0.6f * GLOW_DEGREES_PER_RADIAN;

        glPushMatrix();
        const Jitter jitter = layerJitter(i, flicker);
        glTranslatef(static_cast<float>(gPlayer.position.x + jitter.x),
                     static_cast<float>(gPlayer.position.y + jitter.y),
                     static_cast<float>(gPlayer.position.z + jitter.z));
        // The craft's own frame, exactly as its model is placed.
        turnToPlayerCraftFrame(gPlayer);
        glTranslatef(-75.0f, -80.0f, -260.0f);  // the first nozzle
        glRotatef(turn, 0.0f, 0.0f, 1.0f);

        glEnable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, gTextures[TEX_FLARE]);
        glDisable(GL_CULL_FACE);
        glDisable(GL_DEPTH_TEST);
        drawFlareQuad(h);

        // The second nozzle's flare turns the other way.
        glRotatef(-turn, 0.0f, 0.0f, 1.0f);
        glTranslatef(150.0f, 0.0f, 0.0f);
        glRotatef(-turn, 0.0f, 0.0f, 1.0f);
        drawFlareQuad(h);
        glRotatef(turn, 0.0f, 0.0f, 1.0f);

        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glPopMatrix();
    }
}
