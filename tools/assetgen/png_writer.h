#pragma once

#include <string>
#include <vector>

#include "icon.h"

namespace assetgen {

// An 8-bit RGBA PNG file, compressed at zlib's best.
std::vector<unsigned char> encodePngRgba(const RgbaImage& image);
bool writePngRgba(const std::string& path, const RgbaImage& image);

}  // namespace assetgen
