#pragma once

#include <cstdint>
#include <vector>

// WAV headers written byte by byte, so a test can claim whatever length it
// likes whatever the file really holds.
namespace riff {

inline void put(std::vector<uint8_t>& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline void tag(std::vector<uint8_t>& out, const char (&fourCc)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(fourCc[i]));
    }
}

inline void pcmFormatChunk(std::vector<uint8_t>& out, int channels, int rate, int bits) {
    const int blockAlign = channels * bits / 8;
    tag(out, "fmt ");
    put(out, 16, 4);
    put(out, 1, 2);  // PCM
    put(out, static_cast<uint64_t>(channels), 2);
    put(out, static_cast<uint64_t>(rate), 4);
    put(out, static_cast<uint64_t>(rate) * blockAlign, 4);
    put(out, static_cast<uint64_t>(blockAlign), 2);
    put(out, static_cast<uint64_t>(bits), 2);
}

// A PCM WAV header whose data chunk claims dataBytes (at most 4 GiB - 1).
inline std::vector<uint8_t> wavHeader(int channels, int rate, int bits, uint32_t dataBytes) {
    std::vector<uint8_t> out;
    tag(out, "RIFF");
    put(out, dataBytes > 0xFFFFFFFFu - 36 ? 0xFFFFFFFFu : dataBytes + 36u, 4);
    tag(out, "WAVE");
    pcmFormatChunk(out, channels, rate, bits);
    tag(out, "data");
    put(out, dataBytes, 4);
    return out;
}

// An RF64 header: the 64-bit lengths live in its ds64 chunk.
inline std::vector<uint8_t> rf64Header(int channels, int rate, int bits, uint64_t fileBytes,
                                       uint64_t dataBytes) {
    std::vector<uint8_t> out;
    tag(out, "RF64");
    put(out, 0xFFFFFFFFu, 4);
    tag(out, "WAVE");
    tag(out, "ds64");
    put(out, 28, 4);
    put(out, fileBytes - 8, 8);
    put(out, dataBytes, 8);
    put(out, dataBytes / (static_cast<uint64_t>(channels) * bits / 8), 8);
    put(out, 0, 4);  // no table
    pcmFormatChunk(out, channels, rate, bits);
    tag(out, "data");
    put(out, 0xFFFFFFFFu, 4);
    return out;
}

}  // namespace riff
