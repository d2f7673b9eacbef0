#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace assetgen {

// A 24-bit Windows bitmap: 14-byte file header, 40-byte info header, bottom-up
// rows of blue-green-red padded to four bytes.
std::vector<unsigned char> encodeBmp24(const Image& image);
bool writeBmp24(const std::string& path, const Image& image);

}  // namespace assetgen
