#pragma once

#include <cstdint>
#include <memory>
#include <string>
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

// Reads a Windows bitmap file. The headers are checked against the file's
// real size, and the picture against MAX_BITMAP_SIDE and maxBytes, before any
// pixel is read. On failure shows exactly one message box (caption "Error")
// and returns null; a picture over budget fails as one too large for memory.
std::unique_ptr<RgbImage> loadBitmapRgb(const std::string& path,
                                        uint64_t maxBytes = MAX_BITMAP_BYTES);

// loadBitmapRgb for a texture: a picture that would take the textures loaded
// so far past MAX_TEXTURE_BYTES fails like any picture too large, and one that
// loads is counted.
std::unique_ptr<RgbImage> loadTextureBitmap(const std::string& path);
uint64_t textureBytesLoaded();
// Forgets every texture counted so far, so tests can load many.
void resetTextureBytesLoaded();

constexpr int TEXTURE_COUNT = 17;
extern uint32_t gTextures[TEXTURE_COUNT];

// Loads path into a new texture stored at table[index], linear filtered, with
// no smaller levels unless its sides are not powers of two; a bitmap
// that cannot be loaded ends the program with exit status 1 after its box.
void loadTexture(uint32_t* table, const std::string& path, int index);
