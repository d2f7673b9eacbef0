#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr int PRINT_BUFFER = 256;
// The glyphs' quads in screen pixels, x, y, s, t for each corner, over their
// rims; the strokes are as far across in the texture as strokesAcross.
std::vector<GLfloat> glyphQuads(const OverlayFont::Atlas& atlas, const char* text, float penX,
                                float baseline) {
    std::vector<GLfloat> quads;
    const float textureWidth = static_cast<float>(atlas.textureWidth);
    const float textureHeight = static_cast<float>(atlas.textureHeight);
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char code = static_cast<unsigned char>(*c);
        // Only codes 32..127 have glyphs.
        if (code < 32 || code > 127) {
            continue;
        }
        const OverlayFont::Atlas::Placed& glyph = atlas.glyphs[code - 32];
        const OverlayGlyph& m = glyph.metrics;
        if (m.width > 0 && m.rows > 0) {
            // The glyph's picture and its rim round it.
            const int width = m.width + 2 * atlas.rim;
            const int rows = m.rows + 2 * atlas.rim;
            const float x0 = penX + static_cast<float>(m.left - atlas.rim);
            const float y0 = baseline - static_cast<float>(m.top + atlas.rim);
            const float x1 = x0 + static_cast<float>(width);
            const float y1 = y0 + static_cast<float>(rows);
            const float s0 = static_cast<float>(glyph.x) / textureWidth;
            const float t0 = static_cast<float>(glyph.y) / textureHeight;
            const float s1 = static_cast<float>(glyph.x + width) / textureWidth;
            const float t1 = static_cast<float>(glyph.y + rows) / textureHeight;
            quads.insert(quads.end(),
                         {x0, y0, s0, t0, x1, y0, s1, t0, x1, y1, s1, t1, x0, y1, s0, t1});
        }
        penX += atlas.advance;
    }
    return quads;
}

}  // namespace

void beginOverlay() {
    const OverlayCanvas& canvas = overlayCanvas();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, canvas.width, canvas.height, 0.0, -1.0, 1.0);  // y grows downwards
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor4fv(lookupColor(COLOR_BLUE).data());
}

void endOverlay() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
}

void printAt(float x, float y, const char* format, ...) {
    if (format == nullptr) {
        return;
    }
    char text[PRINT_BUFFER];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written <= 0) {
        return;
    }
    const int pixels = overlayTextPixels();
    const OverlayFont::Atlas& atlas = overlayAtlas(pixels);
    if (atlas.texture == 0) {
        return;
    }
    // Each glyph lands on whole pixels, so it shows exactly as rasterized.
    const float perUnit = overlayCanvas().pixelsPerUnit;
    const std::vector<GLfloat> quads =
        glyphQuads(atlas, text, std::round(x * perUnit), std::round(y * perUnit));
    if (quads.empty()) {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, atlas.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 4 * sizeof(GLfloat), quads.data());
    glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(GLfloat), quads.data() + 2);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glScalef(1.0f / perUnit, 1.0f / perUnit, 1.0f);  // the quads are in pixels
    // Every rim first, so no character's rim darkens its neighbour's strokes.
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    glColor4f(0.0f, 0.0f, 0.0f, colour[3]);
    const GLsizei corners = static_cast<GLsizei>(quads.size() / 4);
    glDrawArrays(GL_QUADS, 0, corners);
    glColor4fv(colour);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(static_cast<float>(atlas.strokesAcross) / static_cast<float>(atlas.textureWidth),
                 0.0f, 0.0f);
    glDrawArrays(GL_QUADS, 0, corners);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}
