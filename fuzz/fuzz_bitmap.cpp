#include <cstddef>
#include <cstdint>

#include "images/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    RgbImage image;
    if (decodeBitmap(data, size, image) == BitmapError::None) {
        // A decoded picture must be exactly the block the texture upload reads.
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() != static_cast<std::size_t>(image.width) * image.height * 3) {
            __builtin_trap();
        }
    }
    return 0;
}
