#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>

#include "hud/overlay.h"
#include "models/palette.h"

namespace {
constexpr double OVERLAY_WIDTH = 1024.0;
constexpr double OVERLAY_HEIGHT = 768.0;
constexpr int PRINT_BUFFER = 256;
}  // namespace

void beginOverlay() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, OVERLAY_WIDTH, OVERLAY_HEIGHT, 0.0, -1.0, 1.0);  // y grows downwards
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
    // Only codes 32..127 have glyphs; any other byte would call a list that
    // is not a glyph (the craft models live a little above the font).
    unsigned char glyphs[PRINT_BUFFER];
    GLsizei count = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const unsigned char code = static_cast<unsigned char>(*c);
        if (code >= 32 && code <= 127) {
            glyphs[count++] = code;
        }
    }
    glPushAttrib(GL_LIST_BIT);
    const GLuint sizeBase = gFontListBase + OVERLAY_CHAR_COUNT * static_cast<GLuint>(hudSize());
    glListBase(sizeBase - 32);
    glRasterPos2f(x, y);
    glCallLists(count, GL_UNSIGNED_BYTE, glyphs);
    glPopAttrib();
}
