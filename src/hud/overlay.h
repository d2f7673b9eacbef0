#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "saves/settings.h"

// The first of the font's display lists: for each HUD size in turn, 96 lists,
// one bitmap glyph per character code 32..127.
extern uint32_t gFontListBase;

// One character of the overlay font as a 1-bit picture: rows bottom up (the
// order glBitmap takes), pitch bytes each, leftmost pixel in the high bit.
struct OverlayGlyph {
    int width = 0;
    int rows = 0;
    int pitch = 0;
    int left = 0;       // from the pen to the picture's left edge
    int top = 0;        // from the baseline up to the picture's top row
    float advance = 0;  // where the pen goes next, in pixels
    std::vector<uint8_t> bits;
};

// Character codes 32..127 in order; empty when no font was found.
using OverlayGlyphs = std::vector<OverlayGlyph>;

constexpr int OVERLAY_CHAR_COUNT = 96;
constexpr int HUD_SIZE_COUNT = 3;
// The face is rasterized anew for each HUD size, so large text stays crisp:
// 12, 18 and 24 pixels, in HudSize order.
constexpr int OVERLAY_GLYPH_PIXELS[HUD_SIZE_COUNT] = {12, 18, 24};
// How far each glyph of the mono face moves the next one on at those sizes.
constexpr float OVERLAY_GLYPH_ADVANCES[HUD_SIZE_COUNT] = {7.0f, 11.0f, 14.0f};
using OverlayFaces = std::array<OverlayGlyphs, HUD_SIZE_COUNT>;

// Builds the overlay's display lists from the glyphs of every size; a size
// without glyphs keeps empty lists and its text draws nothing. Needs the
// context current.
void createOverlayFont(const OverlayFaces& faces);

// The size the overlay's text is printed and laid out at; Normal at first.
void setHudSize(HudSize size);
HudSize hudSize();
// 1, 1.5 or 2: how much the text, and the room laid out for it, grows.
float overlayScale();
// From one line's baseline to the next, at the chosen size.
float overlayLineHeight();

// 2D drawing in 1024 x 768 overlay units, origin top left, y growing down;
// depth test, blending and lighting off until endOverlay.
void beginOverlay();
void endOverlay();

// printf-style text at a raster position, in the current colour, at the
// chosen HUD size. A null format
// draws nothing; the text is cut at 255 characters; characters without a glyph
// are skipped.
void printAt(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The width text takes in the overlay at the chosen size, one advance per
// character.
float overlayTextWidth(const std::string& text);

// A see-through black box over what is already drawn, so the text on it reads
// over any picture. Overlay units, inside beginOverlay and endOverlay.
void drawShade(float x0, float y0, float x1, float y1, float opacity);
