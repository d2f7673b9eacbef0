#pragma once

#include <cstdint>
#include <vector>

#include "images/bitmap_source.h"

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;

// Bitmap fields are little-endian.
inline uint16_t readU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

// What the headers say about a bitmap's pixels, checked against the file's
// real size so the pixel decoder can trust it.
struct BmpLayout {
    int64_t width = 0;
    int64_t height = 0;  // rows, always positive
    bool topDown = false;
    unsigned bitsPerPixel = 0;
    uint32_t compression = BI_RGB;
    std::vector<Rgb> palette;       // only the entries a pixel can index
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    uint64_t pixelOffset = 0;

    bool runLength() const { return compression == BI_RLE8 || compression == BI_RLE4; }
    // Bytes per stored row of uncompressed data, padding included.
    uint64_t stride() const { return (rowBits() + 31) / 32 * 4; }
    uint64_t rowBits() const { return static_cast<uint64_t>(width) * bitsPerPixel; }
    uint64_t rgbBytes() const {
        // Both dimensions are below 2^31, so the product cannot wrap.
        return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 3;
    }
};

// Reads the file header (when the source begins with "BM"), the 12-, 40-, 108-
// or 124-byte bitmap header, the bit masks and the palette. Every size they
// declare is compared with the source's size, but the pixel data is not read.
BitmapError readBmpLayout(const BitmapSource& source, BmpLayout& layout);
