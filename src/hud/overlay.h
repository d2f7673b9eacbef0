#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first of 96 display lists, one bitmap glyph per character code 32..127.
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

// Builds the overlay's display lists from the glyphs; without glyphs the
// lists stay empty and text draws nothing. Needs the context current.
void createOverlayFont(const OverlayGlyphs& glyphs);

// 2D drawing in 1024 x 768 overlay units, origin top left, y growing down;
// depth test, blending and lighting off until endOverlay.
void beginOverlay();
void endOverlay();

// printf-style text at a raster position, in the current colour. A null format
// draws nothing; the text is cut at 255 characters; characters without a glyph
// are skipped.
void printAt(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));

// How far each glyph of the 12-pixel mono face moves the next one on.
constexpr float OVERLAY_GLYPH_ADVANCE = 7.0f;

// The width text takes in the overlay, one advance per character.
float overlayTextWidth(const std::string& text);

// A see-through black box over what is already drawn, so the text on it reads
// over any picture. Overlay units, inside beginOverlay and endOverlay.
void drawShade(float x0, float y0, float x1, float y1, float opacity);
