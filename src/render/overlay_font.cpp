#include <GL/gl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>
#include <vector>

#include "render/overlay.h"

uint32_t gFontListBase = 0;

namespace {
constexpr int FIRST_CHAR = 32;
constexpr int CHAR_COUNT = 96;
constexpr FT_UInt GLYPH_PIXELS = 12;

// The file fontconfig chooses for the face; Debian maps "Courier New" to a
// metric-compatible mono face.
std::string findFontFile(const char* family, int* faceIndex) {
    std::string file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    if (pattern == nullptr) {
        return file;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match != nullptr) {
        FcChar8* path = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr) {
            file = reinterpret_cast<const char*>(path);
        }
        if (FcPatternGetInteger(match, FC_INDEX, 0, faceIndex) != FcResultMatch) {
            *faceIndex = 0;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// FreeType's rows run top down and glBitmap's bottom up.
void compileGlyph(FT_Face face, int code, GLuint list) {
    glNewList(list, GL_COMPILE);
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) ==
        0) {
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        const int rows = static_cast<int>(bitmap.rows);
        const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
        std::vector<GLubyte> flipped(static_cast<size_t>(rows) * pitch + 1, 0);
        for (int row = 0; row < rows; ++row) {
            // A negative pitch means FreeType already stores the rows bottom up.
            const int source = bitmap.pitch < 0 ? rows - 1 - row : row;
            const GLubyte* from = bitmap.buffer + static_cast<size_t>(source) * pitch;
            std::copy(from, from + pitch,
                      flipped.begin() + static_cast<size_t>(rows - 1 - row) * pitch);
        }
        glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch * 8);
        glBitmap(static_cast<GLsizei>(bitmap.width), rows,
                 static_cast<GLfloat>(-glyph->bitmap_left),
                 static_cast<GLfloat>(rows - glyph->bitmap_top),
                 static_cast<GLfloat>(glyph->advance.x) / 64.0f, 0.0f, flipped.data());
    }
    glEndList();
}
}  // namespace

void createOverlayFont() {
    gFontListBase = glGenLists(CHAR_COUNT);
    if (gFontListBase == 0) {
        return;
    }
    int faceIndex = 0;
    const std::string file = findFontFile("Courier New", &faceIndex);
    FT_Library library = nullptr;
    if (file.empty() || FT_Init_FreeType(&library) != 0) {
        return;  // no font: the lists stay empty and text draws nothing
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), faceIndex, &face) == 0) {
        if (FT_Set_Pixel_Sizes(face, 0, GLYPH_PIXELS) == 0) {
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
            glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);  // FreeType packs the leftmost pixel high
            glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
            glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
            for (int i = 0; i < CHAR_COUNT; ++i) {
                compileGlyph(face, FIRST_CHAR + i, gFontListBase + static_cast<GLuint>(i));
            }
            glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
            glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
            glPixelStorei(GL_UNPACK_LSB_FIRST, lsbFirst);
            glPixelStorei(GL_UNPACK_SKIP_ROWS, skipRows);
            glPixelStorei(GL_UNPACK_SKIP_PIXELS, skipPixels);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
}
