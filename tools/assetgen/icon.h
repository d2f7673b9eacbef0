#pragma once

#include <vector>

namespace assetgen {

// A picture with straight (not premultiplied) alpha, 8 bits a channel, rows
// from the top as icon files store them.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bytes;  // red, green, blue, alpha, pixel after pixel
};

// The sizes the desktop's icon theme gets, in pixels.
const int ICON_SIZES[] = {48, 64, 128, 256};

// The game's icon: the craft seen from above, engines glowing, racing up a
// stretch of road on a rounded badge of sky; transparent outside the badge.
RgbaImage makeIcon(int size);

}  // namespace assetgen
