#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A PNG file read back as 8-bit RGB, its rows as the file keeps them: top row first.
struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    std::array<uint8_t, 3> at(int x, int yFromTop) const;
};

// False, leaving picture empty, when path holds no PNG libpng can read.
bool readPngFile(const std::string& path, PngPicture& picture);

}  // namespace testsupport
