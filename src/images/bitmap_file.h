#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "images/bitmap.h"

// Reads a Windows bitmap file. The headers are checked against the file's
// real size, and the picture against MAX_BITMAP_SIDE and maxBytes, before any
// pixel is read. On failure shows exactly one message box (caption "Error")
// and returns null; a picture over budget fails as one too large for memory.
std::unique_ptr<RgbImage> loadBitmapRgb(const std::string& path,
                                        uint64_t maxBytes = MAX_BITMAP_BYTES);
// The same, saying nothing: null where loadBitmapRgb would show its box. Safe
// on any thread.
std::unique_ptr<RgbImage> readBitmapRgb(const std::string& path,
                                        uint64_t maxBytes = MAX_BITMAP_BYTES);
