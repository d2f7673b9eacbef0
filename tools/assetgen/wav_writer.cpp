#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace assetgen {
namespace {

void putWav16(std::vector<unsigned char>& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void putWav32(std::vector<unsigned char>& out, uint32_t v) {
    putWav16(out, v & 0xFFFF);
    putWav16(out, v >> 16);
}

void putTag(std::vector<unsigned char>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<unsigned char>(tag[i]));
    }
}

}  // namespace

std::vector<unsigned char> encodeWav16(const std::vector<double>& samples, int sampleRate,
                                       int channels) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    putWav32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putWav32(out, 16);
    putWav16(out, 1);  // PCM
    putWav16(out, channels);
    putWav32(out, sampleRate);
    putWav32(out, sampleRate * channels * 2);
    putWav16(out, channels * 2);
    putWav16(out, 16);
    putTag(out, "data");
    putWav32(out, dataBytes);
    for (double s : samples) {
        long v = std::lround(std::max(-1.0, std::min(1.0, s)) * 32767.0);
        putWav16(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
    }
    return out;
}

bool writeWav16(const std::string& path, const std::vector<double>& samples, int sampleRate,
                int channels) {
    std::vector<unsigned char> bytes = encodeWav16(samples, sampleRate, channels);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace assetgen
