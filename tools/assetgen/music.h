#pragma once

#include <vector>

namespace assetgen {

const int MUSIC_SAMPLE_RATE = 44100;

// The race music: 32 bars at 125 beats a minute (61.44 s), stereo samples
// interleaved left, right. The song is written round a circle, so its last
// bar's echoes ring on into the first and the loop has no seam.
std::vector<double> makeMusic();

// The song's length in sample frames.
int musicFrames();

}  // namespace assetgen
