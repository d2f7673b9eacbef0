#pragma once

#include <cstdint>
#include <vector>

// A decoded bitmap: tightly packed RGB rows, bottom row first (the order
// OpenGL takes texture rows in). Top-down files are flipped on reading, so
// height is always the positive number of rows.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // width x height x 3
};

// No bitmap wider or higher than this is loaded: the mipmap builder would
// rescale anything larger to a still larger power of two.
constexpr int32_t MAX_BITMAP_SIDE = 4096;
// Pictures whose RGB block would be larger than this are taken not to fit in memory.
constexpr uint64_t MAX_BITMAP_BYTES = uint64_t{64} << 20;
// The decoded pixels of all textures together stay within this.
constexpr uint64_t MAX_TEXTURE_BYTES = uint64_t{256} << 20;
