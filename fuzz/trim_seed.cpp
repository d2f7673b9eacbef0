// Cuts a fuzz seed down to at most MAX_BYTES, keeping it whole where that is
// cheap to do. libFuzzer would only cut it at -max_len, and a bitmap cut in
// the middle of its pixels is always refused, so a bitmap keeps its headers,
// its palette and as many whole rows (or whole lines of its run-length stream)
// as fit, and its height is lowered to match. An MP3 gives a stretch from its
// middle: its head holds the tag that states the whole song's length, which
// makes every input bred from it reserve room for all of it. Anything else
// (WAV, ASE text) is cut at MAX_BYTES.
//
//   trim_seed MAX_BYTES INPUT OUTPUT [INPUT OUTPUT]...
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

uint32_t readU16(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

uint32_t readU32(const Bytes& b, std::size_t at) {
    return readU16(b, at) | (readU16(b, at + 2) << 16);
}

void writeU16(Bytes& b, std::size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void writeU32(Bytes& b, std::size_t at, uint32_t v) {
    writeU16(b, at, v & 0xFFFF);
    writeU16(b, at + 2, v >> 16);
}

// Where a run-length stream can be cut after a whole line, and how many lines
// lie below that point: 0 when no line ends within limit, UINT32_MAX when the
// stream's own end does.
std::size_t cutRunLength(const Bytes& b, std::size_t start, std::size_t limit, bool fourBit,
                         uint32_t& lines) {
    std::size_t cut = 0;
    lines = 0;
    uint32_t y = 0;
    for (std::size_t pos = start; pos + 2 <= limit;) {
        const unsigned count = b[pos];
        const unsigned value = b[pos + 1];
        pos += 2;
        if (count > 0) {
            continue;
        }
        if (value == 0) {
            ++y;
            cut = pos;
            lines = y;
        } else if (value == 1) {
            // The whole picture fits: cut just before its end, which is put back.
            cut = pos - 2;
            lines = UINT32_MAX;
            break;
        } else if (value == 2) {
            if (pos + 2 > limit) {
                break;
            }
            y += b[pos + 1];
            pos += 2;
        } else {
            std::size_t literal = fourBit ? (value + 1) / 2 : value;
            pos += literal + (literal & 1);
        }
    }
    return cut;
}

// A "BM" file cut to whole rows, or false when it is no such file or not even
// one row fits.
bool trimBitmap(Bytes& b, std::size_t maxBytes) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') {
        return false;
    }
    const uint32_t headerSize = readU32(b, 14);
    const bool core = headerSize == 12;
    if (!core && (headerSize < 40 || b.size() < 14 + 40)) {
        return false;
    }
    const std::size_t pixelOffset = readU32(b, 10);
    const int64_t width = core ? readU16(b, 18) : static_cast<int32_t>(readU32(b, 18));
    const int64_t height = core ? readU16(b, 20) : static_cast<int32_t>(readU32(b, 22));
    const uint32_t bitsPerPixel = readU16(b, core ? 24 : 28);
    const uint32_t compression = core ? 0 : readU32(b, 30);
    if (pixelOffset + 2 >= maxBytes || width <= 0 || height == 0) {
        return false;
    }

    uint32_t rows = 0;
    std::size_t end = 0;
    if (compression == 1 || compression == 2) {
        // Ends after the last whole line, then says the bitmap ends there.
        end = cutRunLength(b, pixelOffset, maxBytes - 2, compression == 2, rows);
        if (rows == 0) {
            return false;
        }
        b.resize(end);
        b.push_back(0);
        b.push_back(1);
    } else {
        const uint64_t stride = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
        const uint64_t fit = (maxBytes - pixelOffset) / std::max<uint64_t>(stride, 1);
        if (fit == 0) {
            return false;
        }
        rows = static_cast<uint32_t>(fit);
        b.resize(pixelOffset + rows * stride);
    }
    // A picture followed by other bytes may fit whole: its height stays.
    const uint64_t stated = static_cast<uint64_t>(height < 0 ? -height : height);
    rows = static_cast<uint32_t>(std::min<uint64_t>(rows, stated));
    if (core) {
        writeU16(b, 20, rows);
    } else {
        writeU32(b, 22, height < 0 ? static_cast<uint32_t>(-static_cast<int64_t>(rows)) : rows);
    }
    writeU32(b, 2, static_cast<uint32_t>(b.size()));
    return true;
}

// MPEG audio frames (with or without an ID3 tag before them): a stretch of
// maxBytes from the first frame header past the middle, or false.
bool excerptMp3(Bytes& b, std::size_t maxBytes) {
    if (b.size() < 4) {
        return false;
    }
    const bool tagged = b[0] == 'I' && b[1] == 'D' && b[2] == '3';
    const bool frame = b[0] == 0xFF && (b[1] & 0xE0) == 0xE0;
    if (!tagged && !frame) {
        return false;
    }
    // Untagged, the next header is like the first; a wrong guess only costs
    // the decoder a resynchronisation.
    const uint8_t second = frame ? b[1] : 0xE0;
    const uint8_t mask = frame ? 0xFF : 0xE0;
    for (std::size_t at = b.size() / 2; at + maxBytes <= b.size(); ++at) {
        if (b[at] == 0xFF && (b[at + 1] & mask) == second) {
            b = Bytes(b.begin() + static_cast<std::ptrdiff_t>(at),
                      b.begin() + static_cast<std::ptrdiff_t>(at + maxBytes));
            return true;
        }
    }
    return false;
}

bool trimFile(std::size_t maxBytes, const char* from, const char* to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "trim_seed: cannot read %s\n", from);
        return false;
    }
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > maxBytes && !trimBitmap(bytes, maxBytes) && !excerptMp3(bytes, maxBytes)) {
        bytes.resize(maxBytes);
    }
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "trim_seed: cannot write %s\n", to);
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0 || std::atol(argv[1]) <= 0) {
        std::fprintf(stderr, "usage: trim_seed MAX_BYTES INPUT OUTPUT [INPUT OUTPUT]...\n");
        return 2;
    }
    const auto maxBytes = static_cast<std::size_t>(std::atol(argv[1]));
    for (int i = 2; i < argc; i += 2) {
        if (!trimFile(maxBytes, argv[i], argv[i + 1])) {
            return 1;
        }
    }
    return 0;
}
