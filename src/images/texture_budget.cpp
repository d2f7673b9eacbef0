#include <algorithm>

#include "images/bitmap_file.h"
#include "images/texture.h"

namespace {
// Textures are never released while the game runs, so the total only grows.
uint64_t gTextureBytesLoaded = 0;
}  // namespace

std::unique_ptr<RgbImage> loadTextureBitmap(const std::string& path) {
    const uint64_t left = MAX_TEXTURE_BYTES - gTextureBytesLoaded;
    std::unique_ptr<RgbImage> image = loadBitmapRgb(path, std::min(MAX_BITMAP_BYTES, left));
    if (image) {
        gTextureBytesLoaded += image->pixels.size();
    }
    return image;
}

std::unique_ptr<RgbImage> takeTextureBitmap(std::unique_ptr<RgbImage> readAhead,
                                            const std::string& path) {
    const uint64_t left = MAX_TEXTURE_BYTES - gTextureBytesLoaded;
    if (readAhead && readAhead->pixels.size() <= std::min(MAX_BITMAP_BYTES, left)) {
        gTextureBytesLoaded += readAhead->pixels.size();
        return readAhead;
    }
    return loadTextureBitmap(path);
}

uint64_t textureBytesLoaded() {
    return gTextureBytesLoaded;
}

void resetTextureBytesLoaded() {
    gTextureBytesLoaded = 0;
}
