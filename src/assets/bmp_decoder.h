#pragma once

#include <cstddef>
#include <cstdint>

#include "assets/bitmap.h"

enum class BitmapError { None, OpenFailed, UnknownFormat, ConversionError, OutOfMemory };

// Decodes a whole bitmap file held in memory into tightly packed RGB rows,
// bottom row first (top-down files are flipped, and image.height is then
// positive). Reads nothing outside data[0, size). An empty buffer is what a
// file that cannot be mapped gives, so it reports OpenFailed.
BitmapError decodeBitmap(const uint8_t* data, std::size_t size, RgbImage& image);

// The game's message for a failure other than OpenFailed (which names the file).
const char* bitmapErrorText(BitmapError error);

// Pictures whose RGB block would be larger than this are taken not to fit in memory.
constexpr uint64_t MAX_BITMAP_BYTES = uint64_t{256} << 20;
