#pragma once

#include <sndfile.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The encoded bytes of one sound: a file in data/ or, for the fuzzer, memory.
class SoundBytes {
public:
    virtual ~SoundBytes() = default;
    virtual uint64_t size() const = 0;
    // Exactly count bytes from offset; false otherwise.
    virtual bool readAt(uint64_t offset, void* buffer, std::size_t count) const = 0;
};

class MemorySoundBytes : public SoundBytes {
public:
    MemorySoundBytes(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    uint64_t size() const override { return size_; }
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const override;

private:
    const uint8_t* data_;
    std::size_t size_;
};

// The most the game keeps of one sound: 15 minutes at 48 kHz, in at most 7.1
// channels. Anything larger is a damaged or hostile file, refused before a
// buffer is sized from its header.
constexpr sf_count_t SOUND_FRAME_BUDGET = 15 * 60 * 48000;
constexpr int SOUND_CHANNEL_BUDGET = 8;

// Effects are folded down to mono so a source's position can pan them; the
// music keeps its channels unless it has more than two.
enum class SoundChannels { Mono, AsRecorded };

// 16-bit PCM, interleaved, ready for an OpenAL buffer.
struct DecodedSound {
    std::vector<int16_t> samples;
    int channels = 0;
    int sampleRate = 0;
};

// Why a header cannot be trusted (a libsndfile or OpenAL error code), or 0:
// too long, too many channels, or more sample bytes than the file holds.
int soundHeaderProblem(const SF_INFO& info, uint64_t fileSize);

// Decodes a whole sound (WAV, MP3, anything libsndfile reads). Returns 0, or
// the back end's error code with sound left empty; never throws.
int decodeSound(const SoundBytes& bytes, SoundChannels channels, DecodedSound& sound);
