#include <GL/gl.h>

#include <cstddef>

#include "hud/overlay.h"

uint32_t gFontListBase = 0;

namespace {
void compileGlyph(const OverlayGlyph& glyph, GLuint list) {
    glNewList(list, GL_COMPILE);
    // A character FreeType could not render keeps an empty list.
    if (!glyph.bits.empty() && glyph.rows >= 0 && glyph.pitch >= 0 &&
        glyph.bits.size() >= static_cast<std::size_t>(glyph.rows) * glyph.pitch) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, glyph.pitch * 8);
        glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
                 static_cast<GLfloat>(glyph.rows - glyph.top), glyph.advance, 0.0f,
                 glyph.bits.data());
    }
    glEndList();
}
}  // namespace

void createOverlayFont(const OverlayFaces& faces) {
    gFontListBase = glGenLists(OVERLAY_CHAR_COUNT * HUD_SIZE_COUNT);
    if (gFontListBase == 0) {
        return;
    }
    GLint rowLength = 0;
    GLint alignment = 4;
    GLint lsbFirst = GL_FALSE;
    GLint skipRows = 0;
    GLint skipPixels = 0;
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
    glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows);
    glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &skipPixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);  // the leftmost pixel is the high bit
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    GLuint list = gFontListBase;
    for (const OverlayGlyphs& glyphs : faces) {
        // Without a font a size's lists stay empty and its text draws nothing.
        const bool whole = glyphs.size() == static_cast<std::size_t>(OVERLAY_CHAR_COUNT);
        for (int i = 0; i < OVERLAY_CHAR_COUNT; ++i, ++list) {
            compileGlyph(whole ? glyphs[static_cast<std::size_t>(i)] : OverlayGlyph(), list);
        }
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glPixelStorei(GL_UNPACK_LSB_FIRST, lsbFirst);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, skipRows);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, skipPixels);
}
