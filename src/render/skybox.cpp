#include "render/skybox.h"

#include <GL/gl.h>

#include "images/texture.h"
#include "images/texture_ids.h"
#include "models/palette.h"

std::array<SkyFace, 6> skyboxFaces(float x, float y, float z, float width, float height,
                                   float length) {
    const float x0 = x - width / 2;
    const float y0 = y - height / 2;
    const float z0 = z - length / 2;
    const float x1 = x0 + width;
    const float y1 = y0 + height;
    const float z1 = z0 + length;
    return {{
        {TEX_SKY_BACK,
         {{{x0, y0, z0, 0, 0}, {x0, y1, z0, 0, 1}, {x1, y1, z0, 1, 1}, {x1, y0, z0, 1, 0}}}},
        {TEX_SKY_FRONT,
         {{{x0, y0, z1, 1, 0}, {x0, y1, z1, 1, 1}, {x1, y1, z1, 0, 1}, {x1, y0, z1, 0, 0}}}},
        {TEX_SKY_BOTTOM,
         {{{x0, y0, z0, 1, 0}, {x0, y0, z1, 1, 1}, {x1, y0, z1, 0, 1}, {x1, y0, z0, 0, 0}}}},
        {TEX_SKY_TOP,
         {{{x0, y1, z0, 1, 1}, {x0, y1, z1, 1, 0}, {x1, y1, z1, 0, 0}, {x1, y1, z0, 0, 1}}}},
        {TEX_SKY_LEFT,
         {{{x0, y0, z0, 1, 0}, {x0, y0, z1, 0, 0}, {x0, y1, z1, 0, 1}, {x0, y1, z0, 1, 1}}}},
        {TEX_SKY_RIGHT,
         {{{x1, y0, z0, 0, 0}, {x1, y0, z1, 1, 0}, {x1, y1, z1, 1, 1}, {x1, y1, z0, 0, 1}}}},
    }};
}

void drawSkybox(float x, float y, float z, float width, float height, float length) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    // Pinned to the far end of the depth range, the sky only fills pixels that
    // still hold the cleared depth: drawn after the opaque scene, it costs
    // nothing where the road and the walls already lie. It writes no depth.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glDepthRange(1.0, 1.0);
    // The sky is opaque (white, alpha 1, on an RGB texture), so blending would
    // leave every pixel as it is; skipping it saves reading back the screen.
    const GLboolean blending = glIsEnabled(GL_BLEND);
    glDisable(GL_BLEND);
    // White under the default modulate leaves the sky's own colours.
    applyColor(COLOR_WHITE);
    for (const SkyFace& face : skyboxFaces(x, y, z, width, height, length)) {
        glBindTexture(GL_TEXTURE_2D, gTextures[face.texture]);
        glBegin(GL_QUADS);
        for (const SkyVertex& v : face.corners) {
            glTexCoord2f(v.s, v.t);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    if (blending == GL_TRUE) {
        glEnable(GL_BLEND);
    }
    glDepthRange(0.0, 1.0);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}
