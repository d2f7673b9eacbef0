#include "images/bmp_layout.h"

#include <algorithm>

namespace {
constexpr uint64_t FILE_HEADER_SIZE = 14;
constexpr uint32_t CORE_HEADER_SIZE = 12;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t V4_HEADER_SIZE = 108;
constexpr uint32_t V5_HEADER_SIZE = 124;

bool headerSizeKnown(uint32_t size) {
    return size == CORE_HEADER_SIZE || size == INFO_HEADER_SIZE || size == V4_HEADER_SIZE ||
           size == V5_HEADER_SIZE;
}

bool pixelsDescribable(const BmpLayout& layout) {
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
    return bppKnown && compressionFits && layout.width > 0 && layout.height != 0;
}

void setDefaultMasks(BmpLayout& layout) {
    if (layout.bitsPerPixel == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (layout.bitsPerPixel == 32) {
        layout.masks[0] = 0xFF0000;
        layout.masks[1] = 0x00FF00;
        layout.masks[2] = 0x0000FF;
    }
}
}  // namespace

BitmapError readBmpLayout(const BitmapSource& source, BmpLayout& layout) {
    const uint64_t size = source.size();
    uint64_t header = 0;
    bool offsetKnown = false;
    uint8_t fileHeader[FILE_HEADER_SIZE] = {};
    if (size >= 2) {
        if (!source.readAt(0, fileHeader, 2)) {
            return BitmapError::ConversionError;
        }
        if (fileHeader[0] == 'B' && fileHeader[1] == 'M') {
            if (!source.readAt(0, fileHeader, FILE_HEADER_SIZE)) {
                return BitmapError::ConversionError;
            }
            layout.pixelOffset = readU32(fileHeader + 10);
            offsetKnown = true;
            header = FILE_HEADER_SIZE;
        }
    }

    uint8_t h[V5_HEADER_SIZE] = {};
    if (!source.readAt(header, h, 4)) {
        return BitmapError::ConversionError;
    }
    const uint32_t headerSize = readU32(h);
    if (!headerSizeKnown(headerSize)) {
        return BitmapError::UnknownFormat;
    }
    if (!source.readAt(header, h, headerSize)) {
        return BitmapError::ConversionError;
    }
    const bool core = headerSize == CORE_HEADER_SIZE;
    unsigned planes = 0;
    uint32_t colorsUsed = 0;
    if (core) {
        layout.width = readU16(h + 4);
        layout.height = readU16(h + 6);
        planes = readU16(h + 8);
        layout.bitsPerPixel = readU16(h + 10);
    } else {
        // The later headers begin with the same fields; their colour-space
        // fields are of no use to a texture and are passed over.
        layout.width = static_cast<int32_t>(readU32(h + 4));
        layout.height = static_cast<int32_t>(readU32(h + 8));
        planes = readU16(h + 12);
        layout.bitsPerPixel = readU16(h + 14);
        layout.compression = readU32(h + 16);
        colorsUsed = readU32(h + 32);
    }
    if (layout.height < 0) {
        layout.height = -layout.height;
        layout.topDown = true;
    }
    if (planes != 1 || !pixelsDescribable(layout)) {
        return BitmapError::ConversionError;
    }

    const unsigned bpp = layout.bitsPerPixel;
    unsigned entries = bpp == 1 ? 2 : bpp == 4 ? 16 : bpp == 8 ? 256 : 0;
    if (!core && colorsUsed != 0) {
        entries = colorsUsed & 0xFFFFu;
    }
    if (bpp <= 8 && entries == 0) {
        return BitmapError::ConversionError;
    }

    uint64_t next = header + headerSize;
    if (layout.compression == BI_BITFIELDS) {
        // The 40-byte header is followed by its three masks; the later
        // headers carry them inside, from offset 40.
        uint8_t trailing[12] = {};
        const uint8_t* masks = h + INFO_HEADER_SIZE;
        if (headerSize == INFO_HEADER_SIZE) {
            if (!source.readAt(next, trailing, sizeof trailing)) {
                return BitmapError::ConversionError;
            }
            masks = trailing;
            next += sizeof trailing;
        }
        for (int i = 0; i < 3; ++i) {
            layout.masks[i] = readU32(masks + 4 * i);
        }
    } else {
        setDefaultMasks(layout);
    }

    const unsigned entrySize = core ? 3 : 4;
    const uint64_t paletteBytes = uint64_t{entrySize} * entries;
    if (size - next < paletteBytes) {
        return BitmapError::ConversionError;
    }
    if (bpp <= 8) {
        // Entries past 2^bpp can never be indexed, so they are not read.
        const unsigned indexable = std::min(entries, 1u << bpp);
        uint8_t bytes[256 * 4];
        if (!source.readAt(next, bytes, std::size_t{entrySize} * indexable)) {
            return BitmapError::ConversionError;
        }
        layout.palette.resize(indexable);
        for (unsigned i = 0; i < indexable; ++i) {
            const uint8_t* e = bytes + std::size_t{entrySize} * i;
            layout.palette[i] = {e[2], e[1], e[0]};
        }
    }
    if (!offsetKnown) {
        layout.pixelOffset = next + paletteBytes;
    }
    if (layout.pixelOffset > size) {
        return BitmapError::ConversionError;
    }
    return BitmapError::None;
}
