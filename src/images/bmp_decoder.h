#pragma once

#include <cstddef>
#include <cstdint>

#include "images/bitmap.h"
#include "images/bitmap_source.h"

// Decodes a bitmap into tightly packed RGB rows, bottom row first (top-down
// files are flipped, and image.height is then positive). The headers are read
// and checked against the source's size first; a picture wider or higher than
// MAX_BITMAP_SIDE, or whose RGB block would pass maxBytes, is OutOfMemory
// before anything large is allocated or read. An empty source is what a file
// that cannot be mapped gives, so it reports OpenFailed.
BitmapError decodeBitmap(const BitmapSource& source, RgbImage& image,
                         uint64_t maxBytes = MAX_BITMAP_BYTES);

// The same for a whole file held in memory; reads nothing outside data[0, size).
BitmapError decodeBitmap(const uint8_t* data, std::size_t size, RgbImage& image);

// The game's message for a failure other than OpenFailed (which names the file).
const char* bitmapErrorText(BitmapError error);
