#include <GL/gl.h>

#include <algorithm>
#include <cmath>
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

// The rim: a pixel for each 16 of the text's height, three quarters opaque.
constexpr float RIM_PIXELS_PER_TEXT_PIXEL = 1.0f / 16.0f;
constexpr float RIM_OPACITY = 0.75f;

// The largest of each run of 2 * reach + 1 values along a line, in place:
// done across and then down, it spreads the strokes by reach every way.
void spreadAlong(std::vector<uint8_t>& values, int count, int stride, int start, int reach) {
    std::vector<uint8_t> line(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        line[static_cast<std::size_t>(i)] = values[static_cast<std::size_t>(start + i * stride)];
    }
    for (int i = 0; i < count; ++i) {
        uint8_t most = 0;
        for (int k = std::max(0, i - reach); k <= std::min(count - 1, i + reach); ++k) {
            most = std::max(most, line[static_cast<std::size_t>(k)]);
        }
        values[static_cast<std::size_t>(start + i * stride)] = most;
    }
}

// A glyph's coverage spread by the rim, then beside it, past a free pixel,
// its coverage; rows top down, each picture rim pixels in from its edges.
std::vector<uint8_t> glyphWithRim(const OverlayGlyph& glyph, int rim) {
    const int width = glyph.width + 2 * rim;
    const int rows = glyph.rows + 2 * rim;
    std::vector<uint8_t> coverage(static_cast<std::size_t>(width) * rows, 0);
    for (int row = 0; row < glyph.rows; ++row) {
        for (int x = 0; x < glyph.width; ++x) {
            coverage[static_cast<std::size_t>((row + rim) * width + x + rim)] =
                glyph.coverage[static_cast<std::size_t>(row * glyph.width + x)];
        }
    }
    std::vector<uint8_t> spread = coverage;
    for (int row = 0; row < rows; ++row) {
        spreadAlong(spread, width, 1, row * width, rim);
    }
    for (int x = 0; x < width; ++x) {
        spreadAlong(spread, rows, width, x, rim);
    }
    const int across = 2 * width + 1;
    std::vector<uint8_t> texels(static_cast<std::size_t>(across) * rows, 0);
    for (int row = 0; row < rows; ++row) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(row * width + x);
            texels[static_cast<std::size_t>(row * across + x)] =
                static_cast<uint8_t>(RIM_OPACITY * static_cast<float>(spread[at]));
            texels[static_cast<std::size_t>(row * across + width + 1 + x)] = coverage[at];
        }
    }
    return texels;
}

// Every glyph with its rim in a cell of a grid 16 wide, with a free pixel
// between cells so no glyph's edge picks up its neighbour's.
OverlayFont::Atlas packAtlas(const OverlayGlyphs& glyphs, int pixels,
                             std::vector<uint8_t>& texels) {
    OverlayFont::Atlas atlas;
    atlas.rim = std::max(
        1, static_cast<int>(std::lround(static_cast<float>(pixels) * RIM_PIXELS_PER_TEXT_PIXEL)));
    int glyphWidth = 1;
    int cellHeight = 1;
    for (const OverlayGlyph& glyph : glyphs) {
        if (wellFormed(glyph)) {
            glyphWidth = std::max(glyphWidth, glyph.width + 2 * atlas.rim);
            cellHeight = std::max(cellHeight, glyph.rows + 2 * atlas.rim + 1);
        }
        atlas.advance = std::max(atlas.advance, glyph.advance);
    }
    // The rim, a free pixel, the strokes and another free pixel.
    const int cellWidth = 2 * glyphWidth + 2;
    atlas.strokesAcross = glyphWidth + 1;
    const int gridRows = (static_cast<int>(glyphs.size()) + ATLAS_COLUMNS - 1) / ATLAS_COLUMNS;
    atlas.textureWidth = nextPowerOfTwo(ATLAS_COLUMNS * cellWidth);
    atlas.textureHeight = nextPowerOfTwo(std::max(gridRows, 1) * cellHeight);
    texels.assign(static_cast<std::size_t>(atlas.textureWidth) * atlas.textureHeight, 0);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        OverlayFont::Atlas::Placed placed;
        placed.x = static_cast<int>(i % ATLAS_COLUMNS) * cellWidth;
        placed.y = static_cast<int>(i / ATLAS_COLUMNS) * cellHeight;
        const OverlayGlyph& glyph = glyphs[i];
        if (wellFormed(glyph) && glyph.width > 0 && glyph.rows > 0) {
            const std::vector<uint8_t> cell = glyphWithRim(glyph, atlas.rim);
            const int width = glyph.width + 2 * atlas.rim;
            const int rows = glyph.rows + 2 * atlas.rim;
            const auto into = [&](int row, int x) {
                return texels.begin() +
                       static_cast<std::ptrdiff_t>(placed.y + row) * atlas.textureWidth + placed.x +
                       x;
            };
            for (int row = 0; row < rows; ++row) {
                const auto from = cell.begin() + static_cast<std::ptrdiff_t>(row) * (2 * width + 1);
                std::copy(from, from + width, into(row, 0));
                std::copy(from + width + 1, from + 2 * width + 1, into(row, atlas.strokesAcross));
            }
            placed.metrics = glyph;
            placed.metrics.coverage.clear();
        }
        atlas.glyphs.push_back(std::move(placed));
    }
    return atlas;
}

OverlayFont::Atlas uploadAtlas(const OverlayGlyphs& glyphs, int pixels) {
    if (glyphs.size() != static_cast<std::size_t>(OVERLAY_CHAR_COUNT)) {
        return {};  // no font: this size's text draws nothing
    }
    std::vector<uint8_t> texels;
    OverlayFont::Atlas atlas = packAtlas(glyphs, pixels, texels);
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
                     GL_ALPHA, GL_UNSIGNED_BYTE, texels.data());
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
    return gOverlayFont.atlases.emplace(pixels, uploadAtlas(glyphs, pixels)).first->second;
}
