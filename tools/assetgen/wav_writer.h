#pragma once

#include <string>
#include <vector>

namespace assetgen {

// 16-bit PCM WAV; samples are interleaved by channel and run -1..1.
std::vector<unsigned char> encodeWav16(const std::vector<double>& samples, int sampleRate,
                                       int channels);
bool writeWav16(const std::string& path, const std::vector<double>& samples, int sampleRate,
                int channels);

}  // namespace assetgen
