#include "images/bmp_decoder.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "images/bmp_layout.h"

namespace {
class MemorySource : public BitmapSource {
public:
    MemorySource(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const override {
        if (offset > size_ || count > size_ - offset) {
            return false;
        }
        std::memcpy(buffer, data_ + offset, count);
        return true;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
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

// Writes into the output with stored row y (0 = first stored) and column x;
// anything outside the picture is dropped.
class Canvas {
public:
    Canvas(const BmpLayout& layout, std::vector<uint8_t>& pixels)
        : layout_(layout), pixels_(pixels) {}
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
    const BmpLayout& layout_;
    std::vector<uint8_t>& pixels_;
};

void decodeRow(const BmpLayout& layout, const Channel (&channels)[3], const uint8_t* row, int64_t y,
               Canvas& canvas) {
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
                    layout.bitsPerPixel == 16 ? readU16(row + 2 * x) : readU32(row + 4 * x);
                canvas.put(x, y, {channels[0](v), channels[1](v), channels[2](v)});
                break;
            }
        }
    }
}

// The last uncompressed row may leave out its padding; nothing more may be missing.
bool uncompressedRowsFit(const BmpLayout& layout, uint64_t fileSize) {
    const uint64_t needed =
        static_cast<uint64_t>(layout.height - 1) * layout.stride() + (layout.rowBits() + 7) / 8;
    return needed <= fileSize - layout.pixelOffset;
}

// Uncompressed rows, read one at a time so only a row is ever held besides the picture.
BitmapError decodeRows(const BitmapSource& source, const BmpLayout& layout, Canvas& canvas) {
    const uint64_t stride = layout.stride();
    const uint64_t available = source.size() - layout.pixelOffset;
    const Channel channels[3] = {Channel(layout.masks[0]), Channel(layout.masks[1]),
                                 Channel(layout.masks[2])};
    std::vector<uint8_t> row(static_cast<std::size_t>(stride));
    for (int64_t y = 0; y < layout.height; ++y) {
        const uint64_t start = static_cast<uint64_t>(y) * stride;
        const auto count = static_cast<std::size_t>(std::min(stride, available - start));
        if (!source.readAt(layout.pixelOffset + start, row.data(), count)) {
            return BitmapError::ConversionError;
        }
        decodeRow(layout, channels, row.data(), y, canvas);
    }
    return BitmapError::None;
}

// Hands out a run-length stream a few bytes at a time, reading the file in
// blocks so a long stream is never held whole.
class StreamReader {
public:
    StreamReader(const BitmapSource& source, uint64_t offset)
        : source_(source), next_(offset), block_(BLOCK_SIZE) {}

    // The next count bytes (at most 256), or null when the stream ends first.
    const uint8_t* take(std::size_t count) {
        if (end_ - pos_ < count && (!refill() || end_ - pos_ < count)) {
            return nullptr;
        }
        const uint8_t* bytes = block_.data() + pos_;
        pos_ += count;
        return bytes;
    }

private:
    static constexpr std::size_t BLOCK_SIZE = 64 * 1024;

    bool refill() {
        std::memmove(block_.data(), block_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
        const uint64_t left = source_.size() - next_;
        const auto count = static_cast<std::size_t>(std::min<uint64_t>(BLOCK_SIZE - end_, left));
        if (!source_.readAt(next_, block_.data() + end_, count)) {
            return false;
        }
        next_ += count;
        end_ += count;
        return true;
    }

    const BitmapSource& source_;
    uint64_t next_;
    std::vector<uint8_t> block_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

// Run-length encoded 8- or 4-bit data; the stream must end (or fill the
// picture) before the file does.
BitmapError decodeRle(const BitmapSource& source, const BmpLayout& layout, Canvas& canvas) {
    const bool fourBit = layout.compression == BI_RLE4;
    StreamReader stream(source, layout.pixelOffset);
    int64_t x = 0;
    int64_t y = 0;
    while (y < layout.height) {
        const uint8_t* pair = stream.take(2);
        if (pair == nullptr) {
            return BitmapError::ConversionError;
        }
        const unsigned count = pair[0];
        const unsigned value = pair[1];
        if (count > 0) {
            // Only the part of a run inside the row is drawn: runs past its end
            // would otherwise cost 255 steps for every two bytes of the file.
            const int64_t inside = std::clamp<int64_t>(layout.width - x, 0, count);
            for (int64_t i = 0; i < inside; ++i) {
                canvas.putIndex(x + i, y, fourBit ? ((i & 1) ? value & 15u : value >> 4) : value);
            }
            x += count;
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const uint8_t* delta = stream.take(2);
            if (delta == nullptr) {
                return BitmapError::ConversionError;
            }
            x += delta[0];
            y += delta[1];
        } else {
            std::size_t bytes = fourBit ? (value + 1) / 2 : value;
            bytes += bytes & 1;  // absolute runs end on a 16-bit boundary
            const uint8_t* literal = stream.take(bytes);
            if (literal == nullptr) {
                return BitmapError::ConversionError;
            }
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned byte = literal[fourBit ? i / 2 : i];
                canvas.putIndex(x, y, fourBit ? ((i & 1) ? byte & 15u : byte >> 4) : byte);
            }
        }
    }
    return BitmapError::None;
}

bool withinBudget(const BmpLayout& layout, uint64_t maxBytes) {
    return layout.width <= MAX_BITMAP_SIDE && layout.height <= MAX_BITMAP_SIDE &&
           layout.rgbBytes() <= maxBytes;
}

BitmapError decode(const BitmapSource& source, RgbImage& image, uint64_t maxBytes) {
    BmpLayout layout;
    const BitmapError error = readBmpLayout(source, layout);
    if (error != BitmapError::None) {
        return error;
    }
    if (!withinBudget(layout, maxBytes)) {
        return BitmapError::OutOfMemory;
    }
    if (!layout.runLength() && !uncompressedRowsFit(layout, source.size())) {
        return BitmapError::ConversionError;
    }
    std::vector<uint8_t> pixels(static_cast<std::size_t>(layout.rgbBytes()), 0);
    Canvas canvas(layout, pixels);
    const BitmapError body =
        layout.runLength() ? decodeRle(source, layout, canvas) : decodeRows(source, layout, canvas);
    if (body != BitmapError::None) {
        return body;
    }
    image.width = static_cast<int32_t>(layout.width);
    image.height = static_cast<int32_t>(layout.height);
    image.pixels = std::move(pixels);
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

BitmapError decodeBitmap(const BitmapSource& source, RgbImage& image, uint64_t maxBytes) {
    image = RgbImage{};
    if (source.size() == 0) {
        return BitmapError::OpenFailed;
    }
    try {
        return decode(source, image, maxBytes);
    } catch (const std::bad_alloc&) {
        image = RgbImage{};
        return BitmapError::OutOfMemory;
    }
}

BitmapError decodeBitmap(const uint8_t* data, std::size_t size, RgbImage& image) {
    if (data == nullptr) {
        size = 0;
    }
    return decodeBitmap(MemorySource(data, size), image);
}
