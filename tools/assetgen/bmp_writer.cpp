#include "bmp_writer.h"

#include <fstream>

namespace assetgen {
namespace {

void put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void put32(std::vector<unsigned char>& out, unsigned long v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back((v >> (8 * i)) & 0xFF);
    }
}

}  // namespace

std::vector<unsigned char> encodeBmp24(const Image& image) {
    const unsigned long rowBytes = (image.width * 3ul + 3ul) & ~3ul;
    const unsigned long pixelBytes = rowBytes * image.height;
    const unsigned long headerBytes = 14 + 40;
    std::vector<unsigned char> out;
    out.reserve(headerBytes + pixelBytes);

    out.push_back('B');
    out.push_back('M');
    put32(out, headerBytes + pixelBytes);
    put32(out, 0);
    put32(out, headerBytes);

    put32(out, 40);
    put32(out, image.width);
    put32(out, image.height);  // positive: rows run bottom-up
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // uncompressed
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);

    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const Color& c = image.at(x, y);
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (unsigned long pad = image.width * 3ul; pad < rowBytes; ++pad) {
            out.push_back(0);
        }
    }
    return out;
}

bool writeBmp24(const std::string& path, const Image& image) {
    std::vector<unsigned char> bytes = encodeBmp24(image);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace assetgen
