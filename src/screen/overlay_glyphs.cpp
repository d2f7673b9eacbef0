#include "screen/overlay_glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>

namespace {
constexpr int FIRST_CHAR = 32;

// The file fontconfig chooses for the face.
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
OverlayGlyph renderGlyph(FT_Face face, int code) {
    OverlayGlyph glyph;
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) !=
        0) {
        return glyph;  // an empty list: the character is skipped
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
    glyph.bits.assign(static_cast<size_t>(glyph.rows) * glyph.pitch + 1, 0);
    for (int row = 0; row < glyph.rows; ++row) {
        // A negative pitch means FreeType already stores the rows bottom up.
        const int source = bitmap.pitch < 0 ? glyph.rows - 1 - row : row;
        const unsigned char* from = bitmap.buffer + static_cast<size_t>(source) * glyph.pitch;
        std::copy(from, from + glyph.pitch,
                  glyph.bits.begin() + static_cast<size_t>(glyph.rows - 1 - row) * glyph.pitch);
    }
    return glyph;
}
}  // namespace

OverlayFaces rasterizeOverlayGlyphs() {
    OverlayFaces faces;
    int faceIndex = 0;
    const std::string file = findFontFile("Courier New", &faceIndex);
    FT_Library library = nullptr;
    if (file.empty() || FT_Init_FreeType(&library) != 0) {
        return faces;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), faceIndex, &face) == 0) {
        for (int size = 0; size < HUD_SIZE_COUNT; ++size) {
            const FT_UInt pixels = static_cast<FT_UInt>(OVERLAY_GLYPH_PIXELS[size]);
            if (FT_Set_Pixel_Sizes(face, 0, pixels) != 0) {
                continue;
            }
            OverlayGlyphs& glyphs = faces[static_cast<size_t>(size)];
            for (int i = 0; i < OVERLAY_CHAR_COUNT; ++i) {
                glyphs.push_back(renderGlyph(face, FIRST_CHAR + i));
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return faces;
}
