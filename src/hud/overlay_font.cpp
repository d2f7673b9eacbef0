#include <GL/gl.h>

#include <algorithm>
#include <cstddef>

#include "hud/overlay.h"

OverlayFont gOverlayFont;

namespace {
constexpr int ATLAS_COLUMNS = 16;
// Sizes kept at once: the screen's three HUD sizes and one to spare.
constexpr std::size_t ATLASES_KEPT = 4;

int nextPowerOfTwo(int n) {
    int power = 1;
    while (power < n) {
        power *= 2;
    }
    return power;
}

// The unpacking state the upload needs, and the caller's put back after it.
class TightUnpacking {
public:
    TightUnpacking() {
        glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength_);
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment_);
        glGetIntegerv(GL_UNPACK_SKIP_ROWS, &skipRows_);
        glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &skipPixels_);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    }
    ~TightUnpacking() {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment_);
        glPixelStorei(GL_UNPACK_SKIP_ROWS, skipRows_);
        glPixelStorei(GL_UNPACK_SKIP_PIXELS, skipPixels_);
    }
    TightUnpacking(const TightUnpacking&) = delete;
    TightUnpacking& operator=(const TightUnpacking&) = delete;

private:
    GLint rowLength_ = 0;
    GLint alignment_ = 4;
    GLint skipRows_ = 0;
    GLint skipPixels_ = 0;
};

bool wellFormed(const OverlayGlyph& glyph) {
    return glyph.width >= 0 && glyph.rows >= 0 &&
           glyph.coverage.size() >= static_cast<std::size_t>(glyph.width) * glyph.rows;
}

// Every glyph in a cell of a grid 16 wide, with a free pixel between cells
// so no glyph's edge picks up its neighbour's.
OverlayFont::Atlas packAtlas(const OverlayGlyphs& glyphs, std::vector<uint8_t>& pixels) {
    OverlayFont::Atlas atlas;
    int cellWidth = 1;
    int cellHeight = 1;
    for (const OverlayGlyph& glyph : glyphs) {
        if (wellFormed(glyph)) {
            cellWidth = std::max(cellWidth, glyph.width + 1);
            cellHeight = std::max(cellHeight, glyph.rows + 1);
        }
        atlas.advance = std::max(atlas.advance, glyph.advance);
    }
    const int gridRows = (static_cast<int>(glyphs.size()) + ATLAS_COLUMNS - 1) / ATLAS_COLUMNS;
    atlas.textureWidth = nextPowerOfTwo(ATLAS_COLUMNS * cellWidth);
    atlas.textureHeight = nextPowerOfTwo(std::max(gridRows, 1) * cellHeight);
    pixels.assign(static_cast<std::size_t>(atlas.textureWidth) * atlas.textureHeight, 0);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        OverlayFont::Atlas::Placed placed;
        placed.x = static_cast<int>(i % ATLAS_COLUMNS) * cellWidth;
        placed.y = static_cast<int>(i / ATLAS_COLUMNS) * cellHeight;
        const OverlayGlyph& glyph = glyphs[i];
        if (wellFormed(glyph)) {
            for (int row = 0; row < glyph.rows; ++row) {
                const auto from =
                    glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.width;
                std::copy(from, from + glyph.width,
                          pixels.begin() +
                              static_cast<std::ptrdiff_t>(placed.y + row) * atlas.textureWidth +
                              placed.x);
            }
            placed.metrics = glyph;
            placed.metrics.coverage.clear();
        }
        atlas.glyphs.push_back(std::move(placed));
    }
    return atlas;
}

OverlayFont::Atlas uploadAtlas(const OverlayGlyphs& glyphs) {
    if (glyphs.size() != static_cast<std::size_t>(OVERLAY_CHAR_COUNT)) {
        return {};  // no font: this size's text draws nothing
    }
    std::vector<uint8_t> pixels;
    OverlayFont::Atlas atlas = packAtlas(glyphs, pixels);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Each glyph is drawn pixel for pixel, so nothing is filtered.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    {
        const TightUnpacking tight;
        glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, atlas.textureWidth, atlas.textureHeight, 0,
                     GL_ALPHA, GL_UNSIGNED_BYTE, pixels.data());
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    atlas.texture = texture;
    return atlas;
}

void forgetAtlases(bool deleteTextures) {
    for (auto& [pixels, atlas] : gOverlayFont.atlases) {
        if (deleteTextures && atlas.texture != 0) {
            const GLuint texture = atlas.texture;
            glDeleteTextures(1, &texture);
        }
    }
    gOverlayFont.atlases.clear();
}
}  // namespace

void createOverlayFont(const OverlayFaces& faces) {
    // The textures of before may belong to a context that is gone.
    forgetAtlases(false);
    gOverlayFont.faces = faces;
}

const OverlayFont::Atlas& overlayAtlas(int pixels) {
    const auto found = gOverlayFont.atlases.find(pixels);
    if (found != gOverlayFont.atlases.end()) {
        return found->second;
    }
    if (gOverlayFont.atlases.size() >= ATLASES_KEPT) {
        forgetAtlases(true);
    }
    const auto ahead = gOverlayFont.faces.ahead.find(pixels);
    OverlayGlyphs glyphs;
    if (ahead != gOverlayFont.faces.ahead.end()) {
        glyphs = ahead->second;
        // Once uploaded its pictures are only needed again if it can be made anew.
        if (gOverlayFont.faces.rasterize != nullptr) {
            gOverlayFont.faces.ahead.erase(ahead);
        }
    } else if (gOverlayFont.faces.rasterize != nullptr) {
        glyphs = gOverlayFont.faces.rasterize(pixels);
    }
    return gOverlayFont.atlases.emplace(pixels, uploadAtlas(glyphs)).first->second;
}
