#pragma once

#include <cstdint>
#include <string>

// The first of 96 display lists, one bitmap glyph per character code 32..127.
extern uint32_t gFontListBase;

// Builds the overlay's 12-pixel "Courier New" glyphs. Needs the context current.
void createOverlayFont();

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
