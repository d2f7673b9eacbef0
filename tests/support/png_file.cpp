#include "support/png_file.h"

#include <png.h>

namespace testsupport {

std::array<uint8_t, 3> PngPicture::at(int x, int yFromTop) const {
    const size_t i =
        (static_cast<size_t>(yFromTop) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

bool readPngFile(const std::string& path, PngPicture& picture) {
    picture = PngPicture();
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        return false;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr) == 0) {
        return false;
    }
    picture.width = static_cast<int>(png.width);
    picture.height = static_cast<int>(png.height);
    picture.rgb = std::move(rgb);
    return true;
}

}  // namespace testsupport
