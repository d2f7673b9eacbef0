#include "screen/overlay_glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>

namespace {
constexpr int FIRST_CHAR = 32;

struct FontFile {
    std::string path;
    int faceIndex = 0;
};

// The file fontconfig chooses for the face.
FontFile findFontFile(const char* family) {
    FontFile file;
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
            file.path = reinterpret_cast<const char*>(path);
        }
        if (FcPatternGetInteger(match, FC_INDEX, 0, &file.faceIndex) != FcResultMatch) {
            file.faceIndex = 0;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// Looked up once: every later size comes from the same file.
const FontFile& overlayFontFile() {
    static const FontFile file = findFontFile("Courier New");
    return file;
}

// Small text is sharper drawn in whole pixels, as the design's 12-pixel text
// always was; larger text is smoothed.
constexpr int LARGEST_SHARP_PIXELS = 14;

OverlayGlyph renderGlyph(FT_Face face, int code, bool sharp) {
    OverlayGlyph glyph;
    const FT_Int32 flags = FT_LOAD_RENDER | (sharp ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), flags) != 0) {
        return glyph;  // nothing to draw: the character is skipped
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        return glyph;
    }
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = static_cast<float>(slot->advance.x) / 64.0f;
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    const int pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    for (int row = 0; row < glyph.rows; ++row) {
        // A negative pitch means FreeType stores the rows bottom up.
        const int source = bitmap.pitch < 0 ? glyph.rows - 1 - row : row;
        const unsigned char* from = bitmap.buffer + static_cast<size_t>(source) * pitch;
        for (int x = 0; x < glyph.width; ++x) {
            // A mono row holds a bit a pixel, the leftmost in the high bit.
            const bool set = mono && ((from[x / 8] >> (7 - x % 8)) & 1) != 0;
            glyph.coverage[static_cast<size_t>(row) * glyph.width + x] =
                mono ? (set ? 255 : 0) : from[x];
        }
    }
    return glyph;
}
}  // namespace

OverlayGlyphs rasterizeOverlayFace(int pixelHeight) {
    OverlayGlyphs glyphs;
    const FontFile& file = overlayFontFile();
    FT_Library library = nullptr;
    if (file.path.empty() || pixelHeight <= 0 || FT_Init_FreeType(&library) != 0) {
        return glyphs;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path.c_str(), file.faceIndex, &face) == 0) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) == 0) {
            for (int i = 0; i < OVERLAY_CHAR_COUNT; ++i) {
                glyphs.push_back(
                    renderGlyph(face, FIRST_CHAR + i, pixelHeight <= LARGEST_SHARP_PIXELS));
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return glyphs;
}

OverlayFaces rasterizeOverlayGlyphs() {
    OverlayFaces faces;
    faces.rasterize = rasterizeOverlayFace;
    const HudSize chosen = hudSize();
    for (const HudSize size : {HudSize::Normal, HudSize::Large, HudSize::Huge}) {
        setHudSize(size);
        const int pixels = overlayTextPixels();
        if (faces.ahead.count(pixels) == 0) {
            faces.ahead.emplace(pixels, rasterizeOverlayFace(pixels));
        }
    }
    setHudSize(chosen);
    return faces;
}
