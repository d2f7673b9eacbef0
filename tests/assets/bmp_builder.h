#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testbmp {

inline void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct InfoBitmap {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    uint32_t headerSize = 40;
    std::vector<uint8_t> palette;  // already in file layout (B, G, R, 0 per entry)
    std::vector<uint8_t> masks;    // bit fields: after a 40-byte header, inside a later one
    std::vector<uint8_t> pixels;   // stored rows, padding included
};

// A "BM" file with a 40-byte info header (or a different claimed header size;
// the 108- and 124-byte headers hold the bit masks at their offset 40).
inline std::vector<uint8_t> makeFile(const InfoBitmap& bmp) {
    std::vector<uint8_t> b = {'B', 'M'};
    const uint32_t header = bmp.headerSize < 40 ? 40 : bmp.headerSize;
    const bool masksInside = bmp.headerSize >= 108;
    const uint32_t trailingMasks = masksInside ? 0 : static_cast<uint32_t>(bmp.masks.size());
    const uint32_t offset = 14 + header + trailingMasks + static_cast<uint32_t>(bmp.palette.size());
    put32(b, offset + static_cast<uint32_t>(bmp.pixels.size()));
    put32(b, 0);
    put32(b, offset);
    put32(b, bmp.headerSize);
    put32(b, static_cast<uint32_t>(bmp.width));
    put32(b, static_cast<uint32_t>(bmp.height));
    put16(b, 1);
    put16(b, bmp.bitsPerPixel);
    put32(b, bmp.compression);
    put32(b, 0);
    put32(b, 2835);
    put32(b, 2835);
    put32(b, bmp.colorsUsed);
    put32(b, 0);
    if (masksInside) {
        b.insert(b.end(), bmp.masks.begin(), bmp.masks.end());
    }
    b.resize(14 + header, 0);
    if (!masksInside) {
        b.insert(b.end(), bmp.masks.begin(), bmp.masks.end());
    }
    b.insert(b.end(), bmp.palette.begin(), bmp.palette.end());
    b.insert(b.end(), bmp.pixels.begin(), bmp.pixels.end());
    return b;
}

// A bare 12-byte core header, its three-byte palette, then the pixels.
inline std::vector<uint8_t> makeCore(uint16_t width, uint16_t height, uint16_t bitsPerPixel,
                                     const std::vector<uint8_t>& palette,
                                     const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> b;
    put32(b, 12);
    put16(b, width);
    put16(b, height);
    put16(b, 1);
    put16(b, bitsPerPixel);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

// A 24-bit picture whose pixel (x, y) stored row y is (b, g, r) = (x, y, x + y) + base.
inline InfoBitmap gradient24(int32_t width, int32_t height) {
    InfoBitmap bmp;
    bmp.width = width;
    bmp.height = height;
    const int stride = (width * 3 + 3) / 4 * 4;
    for (int y = 0; y < (height < 0 ? -height : height); ++y) {
        for (int x = 0; x < width; ++x) {
            bmp.pixels.push_back(static_cast<uint8_t>(10 * x + 1));
            bmp.pixels.push_back(static_cast<uint8_t>(10 * y + 2));
            bmp.pixels.push_back(static_cast<uint8_t>(x + y + 3));
        }
        bmp.pixels.resize(static_cast<std::size_t>((y + 1) * stride), 0xEE);
    }
    return bmp;
}

}  // namespace testbmp
