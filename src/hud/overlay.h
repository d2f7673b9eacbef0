#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hud/overlay_canvas.h"
#include "saves/settings.h"

// One character of the overlay font as an antialiased picture: coverage
// bytes, rows top down, width bytes each.
struct OverlayGlyph {
    int width = 0;
    int rows = 0;
    int left = 0;       // from the pen to the picture's left edge
    int top = 0;        // from the baseline up to the picture's top row
    float advance = 0;  // where the pen goes next, in pixels
    std::vector<uint8_t> coverage;
};

// Character codes 32..127 in order; empty when no font was found.
using OverlayGlyphs = std::vector<OverlayGlyph>;

constexpr int OVERLAY_CHAR_COUNT = 96;
constexpr int HUD_SIZE_COUNT = 3;

// The face at a given pixel height; empty when no font can be had.
using OverlayRasterizer = OverlayGlyphs (*)(int pixelHeight);

// The overlay's font: the sizes rasterized ahead, by pixel height, and where
// any other size comes from when the screen or the HUD size asks for it.
struct OverlayFaces {
    std::map<int, OverlayGlyphs> ahead;
    OverlayRasterizer rasterize = nullptr;
};

// One glyph texture per pixel height, made as text of that height is first
// printed: each glyph's rim, its coverage spread a little every way, and
// beside it the coverage itself, so a text is two passes of one quad a
// character: the dark rims, then the strokes over them. Its texture names belong to the context
// that made them.
struct OverlayFont {
    struct Atlas {
        uint32_t texture = 0;  // 0: no glyphs at this height, the text draws nothing
        int textureWidth = 0;
        int textureHeight = 0;
        float advance = 0.0f;   // the mono face's step, in pixels
        int rim = 0;            // how far the dark rim reaches past the strokes, in pixels
        int strokesAcross = 0;  // from a glyph's rim to its strokes in the texture
        struct Placed {
            int x = 0;
            int y = 0;
            OverlayGlyph metrics;  // its coverage left out once uploaded
        };
        std::vector<Placed> glyphs;
    };
    OverlayFaces faces;
    std::map<int, Atlas> atlases;
};
extern OverlayFont gOverlayFont;

// Takes the font for the overlay, forgetting any glyph textures of before
// (their context may be gone). Needs the context current.
void createOverlayFont(const OverlayFaces& faces);

// The glyph texture for text of this pixel height, made the first time it is
// asked for. Needs the context current.
const OverlayFont::Atlas& overlayAtlas(int pixels);

// The size the overlay's text is printed and laid out at; Normal at first.
void setHudSize(HudSize size);
HudSize hudSize();
// How large the text is, and the room laid out for it, in overlay units: the
// screen's normal text scale times 1, 1.5 or 2 for the HUD size, no larger
// than the tallest panel lets fit. 1, 1.5 and 2 on the design's screen.
float overlayScale();
// The text's height in the screen's pixels, for which its glyphs are made.
int overlayTextPixels();
// From one line's baseline to the next, at the chosen size.
float overlayLineHeight();

// While one is alive, the overlay's text is no larger than this many pixels
// high: for two panels that must share the screen.
class OverlayTextCap {
public:
    explicit OverlayTextCap(int pixels);
    ~OverlayTextCap();
    OverlayTextCap(const OverlayTextCap&) = delete;
    OverlayTextCap& operator=(const OverlayTextCap&) = delete;

private:
    float before_;
};

// 2D drawing over the whole screen in overlay units, origin top left, y
// growing down; depth test, blending and lighting off until endOverlay.
void beginOverlay();
void endOverlay();

// printf-style text at a baseline position, in the current colour, at the
// chosen HUD size, with a dark rim so it reads over anything. A null format
// draws nothing; the text is cut at 255 characters; characters without a
// glyph are skipped.
void printAt(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The width text takes in the overlay at the chosen size, one advance per
// character.
float overlayTextWidth(const std::string& text);

// A see-through black box over what is already drawn, so the text on it reads
// over any picture. Overlay units, inside beginOverlay and endOverlay.
void drawShade(float x0, float y0, float x1, float y1, float opacity);
