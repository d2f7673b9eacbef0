#include "assets/bmp_decoder.h"

#include <new>
#include <vector>

namespace {
constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;
constexpr uint32_t BI_BITFIELDS = 3;

uint16_t u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

// One colour channel of a 16- or 32-bit pixel, scaled from its mask's width to 0..255.
class Channel {
public:
    explicit Channel(uint32_t mask) : mask_(mask) {
        if (mask_ != 0) {
            while (((mask_ >> shift_) & 1u) == 0) {
                ++shift_;
            }
            max_ = mask_ >> shift_;
        }
    }
    uint8_t operator()(uint32_t pixel) const {
        if (max_ == 0) {
            return 0;
        }
        const uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<uint8_t>((value * 255 + max_ / 2) / max_);
    }

private:
    uint32_t mask_;
    uint32_t shift_ = 0;
    uint64_t max_ = 0;
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0;  // rows, always positive
    bool topDown = false;
    unsigned bitsPerPixel = 0;
    uint32_t compression = BI_RGB;
    std::vector<Rgb> palette;
    uint32_t masks[3] = {0, 0, 0};  // red, green, blue
};

// Writes into the output with stored row y (0 = first stored) and column x;
// anything outside the picture is dropped.
class Canvas {
public:
    Canvas(const Layout& layout, std::vector<uint8_t>& pixels) : layout_(layout), pixels_(pixels) {}
    void put(int64_t x, int64_t y, Rgb c) {
        if (x < 0 || x >= layout_.width || y < 0 || y >= layout_.height) {
            return;
        }
        const int64_t row = layout_.topDown ? layout_.height - 1 - y : y;
        uint8_t* out = &pixels_[static_cast<std::size_t>((row * layout_.width + x) * 3)];
        out[0] = c.r;
        out[1] = c.g;
        out[2] = c.b;
    }
    void putIndex(int64_t x, int64_t y, unsigned index) {
        // An index past the palette draws black, as the zeroed picture would show.
        put(x, y, index < layout_.palette.size() ? layout_.palette[index] : Rgb{});
    }

private:
    const Layout& layout_;
    std::vector<uint8_t>& pixels_;
};

void decodeRows(const Layout& layout, const uint8_t* data, std::size_t stride, Canvas& canvas) {
    const Channel red(layout.masks[0]);
    const Channel green(layout.masks[1]);
    const Channel blue(layout.masks[2]);
    for (int64_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = data + static_cast<std::size_t>(y) * stride;
        for (int64_t x = 0; x < layout.width; ++x) {
            switch (layout.bitsPerPixel) {
                case 1:
                    canvas.putIndex(x, y, (row[x >> 3] >> (7 - (x & 7))) & 1u);
                    break;
                case 4:
                    canvas.putIndex(x, y, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15u);
                    break;
                case 8:
                    canvas.putIndex(x, y, row[x]);
                    break;
                case 24:
                    canvas.put(x, y, {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
                    break;
                case 16:
                case 32: {
                    const uint32_t v =
                        layout.bitsPerPixel == 16 ? u16(row + 2 * x) : u32(row + 4 * x);
                    canvas.put(x, y, {red(v), green(v), blue(v)});
                    break;
                }
            }
        }
    }
}

// Run-length encoded 8- or 4-bit data; the stream must end (or fill the
// picture) before the file does.
BitmapError decodeRle(const Layout& layout, const uint8_t* data, std::size_t size, Canvas& canvas) {
    const bool fourBit = layout.compression == BI_RLE4;
    std::size_t p = 0;
    int64_t x = 0;
    int64_t y = 0;
    while (y < layout.height) {
        if (size - p < 2) {
            return BitmapError::ConversionError;
        }
        const unsigned count = data[p];
        const unsigned value = data[p + 1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i, ++x) {
                canvas.putIndex(x, y, fourBit ? ((i & 1) ? value & 15u : value >> 4) : value);
            }
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (size - p < 2) {
                return BitmapError::ConversionError;
            }
            x += data[p];
            y += data[p + 1];
            p += 2;
        } else {
            std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            bytes += bytes & 1;  // absolute runs end on a 16-bit boundary
            if (size - p < bytes) {
                return BitmapError::ConversionError;
            }
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned byte = data[p + (fourBit ? i / 2 : i)];
                canvas.putIndex(x, y, fourBit ? ((i & 1) ? byte & 15u : byte >> 4) : byte);
            }
            p += bytes;
        }
    }
    return BitmapError::None;
}

BitmapError readLayout(const uint8_t* data, std::size_t size, Layout& layout,
                       uint64_t& pixelOffset) {
    std::size_t header = 0;
    bool offsetKnown = false;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < 14) {
            return BitmapError::ConversionError;
        }
        pixelOffset = u32(data + 10);
        offsetKnown = true;
        header = 14;
    }
    if (size - header < 4) {
        return BitmapError::ConversionError;
    }
    const uint32_t headerSize = u32(data + header);
    if (headerSize != 12 && headerSize != 40) {
        return BitmapError::UnknownFormat;
    }
    if (size - header < headerSize) {
        return BitmapError::ConversionError;
    }
    const uint8_t* h = data + header;
    const bool core = headerSize == 12;
    unsigned planes = 0;
    uint32_t colorsUsed = 0;
    if (core) {
        layout.width = u16(h + 4);
        layout.height = u16(h + 6);
        planes = u16(h + 8);
        layout.bitsPerPixel = u16(h + 10);
    } else {
        layout.width = static_cast<int32_t>(u32(h + 4));
        layout.height = static_cast<int32_t>(u32(h + 8));
        planes = u16(h + 12);
        layout.bitsPerPixel = u16(h + 14);
        layout.compression = u32(h + 16);
        colorsUsed = u32(h + 32);
    }
    if (layout.height < 0) {
        layout.height = -layout.height;
        layout.topDown = true;
    }

    const unsigned bpp = layout.bitsPerPixel;
    const bool bppKnown = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    bool compressionFits = false;
    switch (layout.compression) {
        case BI_RGB:
            compressionFits = true;
            break;
        case BI_RLE8:
            compressionFits = bpp == 8 && !layout.topDown;
            break;
        case BI_RLE4:
            compressionFits = bpp == 4 && !layout.topDown;
            break;
        case BI_BITFIELDS:
            compressionFits = bpp == 16 || bpp == 32;
            break;
    }
    if (planes != 1 || !bppKnown || !compressionFits || layout.width <= 0 || layout.height == 0) {
        return BitmapError::ConversionError;
    }

    unsigned entries = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    if (!core && colorsUsed != 0) {
        entries = colorsUsed & 0xFFFFu;
    }
    if (bpp <= 8 && entries == 0) {
        return BitmapError::ConversionError;
    }

    uint64_t next = header + headerSize;
    if (layout.compression == BI_BITFIELDS) {
        if (size - next < 12) {
            return BitmapError::ConversionError;
        }
        for (int i = 0; i < 3; ++i) {
            layout.masks[i] = u32(data + next + 4 * i);
        }
        next += 12;
    } else if (bpp == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (bpp == 32) {
        layout.masks[0] = 0xFF0000;
        layout.masks[1] = 0x00FF00;
        layout.masks[2] = 0x0000FF;
    }
    const unsigned entrySize = core ? 3 : 4;
    if (size - next < uint64_t{entrySize} * entries) {
        return BitmapError::ConversionError;
    }
    if (bpp <= 8) {
        layout.palette.resize(entries);
        for (unsigned i = 0; i < entries; ++i) {
            const uint8_t* e = data + next + uint64_t{entrySize} * i;
            layout.palette[i] = {e[2], e[1], e[0]};
        }
    }
    if (!offsetKnown) {
        pixelOffset = next + uint64_t{entrySize} * entries;
    }
    if (pixelOffset > size) {
        return BitmapError::ConversionError;
    }
    return BitmapError::None;
}
}  // namespace

const char* bitmapErrorText(BitmapError error) {
    switch (error) {
        case BitmapError::UnknownFormat:
            return "Unknown DIB file format.";
        case BitmapError::ConversionError:
            return "Image file conversion error.";
        case BitmapError::OutOfMemory:
            return "Out of memory.";
        default:
            return "";
    }
}

BitmapError decodeBitmap(const uint8_t* data, std::size_t size, RgbImage& image) {
    image = RgbImage{};
    if (data == nullptr || size == 0) {
        return BitmapError::OpenFailed;
    }
    Layout layout;
    uint64_t pixelOffset = 0;
    const BitmapError error = readLayout(data, size, layout, pixelOffset);
    if (error != BitmapError::None) {
        return error;
    }
    // Both dimensions are below 2^31, so the product cannot wrap.
    const uint64_t outputBytes =
        static_cast<uint64_t>(layout.width) * static_cast<uint64_t>(layout.height) * 3;
    if (outputBytes > MAX_BITMAP_BYTES) {
        return BitmapError::OutOfMemory;
    }
    const bool runLength = layout.compression == BI_RLE8 || layout.compression == BI_RLE4;
    const uint64_t rowBits = static_cast<uint64_t>(layout.width) * layout.bitsPerPixel;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    if (!runLength) {
        // The last row may leave out its padding; nothing more may be missing.
        const uint64_t needed = (layout.height - 1) * stride + (rowBits + 7) / 8;
        if (needed > size - pixelOffset) {
            return BitmapError::ConversionError;
        }
    }
    std::vector<uint8_t> pixels;
    try {
        pixels.assign(static_cast<std::size_t>(outputBytes), 0);
    } catch (const std::bad_alloc&) {
        return BitmapError::OutOfMemory;
    }
    Canvas canvas(layout, pixels);
    if (runLength) {
        const BitmapError rle = decodeRle(layout, data + pixelOffset, size - pixelOffset, canvas);
        if (rle != BitmapError::None) {
            return rle;
        }
    } else {
        decodeRows(layout, data + pixelOffset, static_cast<std::size_t>(stride), canvas);
    }
    image.width = static_cast<int32_t>(layout.width);
    image.height = static_cast<int32_t>(layout.height);
    image.pixels = std::move(pixels);
    return BitmapError::None;
}
