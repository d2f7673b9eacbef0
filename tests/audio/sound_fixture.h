#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A data/ folder of made-up sounds in a temporary directory that is the
// working directory while the object lives, as the game's is.
class TempSoundFolder {
public:
    TempSoundFolder();
    ~TempSoundFolder();
    TempSoundFolder(const TempSoundFolder&) = delete;
    TempSoundFolder& operator=(const TempSoundFolder&) = delete;

    // A sine of the given frequency and peak level, shaped by envelope(t in seconds).
    void writeTone(const std::string& name, double hz, int rate, double seconds, double level = 0.5,
                   const std::function<double(double)>& envelope = nullptr);
    void writeMp3Tone(const std::string& name, double hz, double seconds);
    // Interleaved 16-bit frames in any format libsndfile writes.
    void writeFrames(const std::string& name, int format, int rate, int channels,
                     const std::vector<int16_t>& interleaved);
    // A header followed by a hole up to size bytes: huge on paper, a few KB on disk.
    void writeSparse(const std::string& name, const std::vector<uint8_t>& header, uint64_t size);
    std::vector<uint8_t> readBytes(const std::string& name) const;
    std::string path(const std::string& name) const { return root_ + "/data/" + name; }

private:
    std::string root_;
    std::string previousDirectory_;
};

// Starts the sound on an OpenAL Soft loopback device, so the test renders the
// mix itself, as fast as it likes.
int startSoundOnLoopback();
// Renders the next frames of the mix: interleaved stereo floats at 44100 Hz.
std::vector<float> renderMix(int frames);
constexpr int MIX_RATE = 44100;
constexpr int FRAMES_PER_GAME_TICK = MIX_RATE / 60;

// Measurements on interleaved stereo: the tone's frequency from the upward
// zero crossings of the left-plus-right signal, and the power of both channels.
double dominantFrequency(const std::vector<float>& mix);
double rootMeanSquare(const std::vector<float>& mix);
