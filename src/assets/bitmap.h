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

// Reads a Windows bitmap file. On failure shows exactly one message box
// (caption "Error") and returns null.
std::unique_ptr<RgbImage> loadBitmapRgb(const std::string& path);

constexpr int TEXTURE_COUNT = 17;
extern uint32_t gTextures[TEXTURE_COUNT];

// Loads path into a new mipmapped texture stored at table[index]; a bitmap
// that cannot be loaded ends the program with exit code 0.
void loadTexture(uint32_t* table, const std::string& path, int index);
