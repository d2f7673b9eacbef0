#pragma once

#include <cstdint>

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
