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

// Where libsndfile is in the bytes it reads.
struct SoundCursor {
    const SoundBytes* bytes = nullptr;
    sf_count_t position = 0;
};

// A sound read a stretch at a time, opened and judged by its header exactly as
// decodeSound does; the music is streamed through one rather than held whole.
class SoundReader {
public:
    SoundReader() = default;
    ~SoundReader();
    SoundReader(const SoundReader&) = delete;
    SoundReader& operator=(const SoundReader&) = delete;

    // bytes must outlive the reader. Returns 0, or the back end's error code
    // when the sound cannot be opened or its header is not to be trusted.
    int open(const SoundBytes& bytes, SoundChannels channels);
    // The channels read delivers: 1, or 2 for stereo music.
    int channels() const { return channels_; }
    int sampleRate() const { return info_.samplerate; }
    // As the header says; SF_COUNT_MAX when only decoding tells.
    sf_count_t frames() const { return info_.frames; }

    // Up to frames interleaved 16-bit frames; 0 at the end or on an error.
    sf_count_t read(int16_t* out, sf_count_t frames);
    // Back to the first frame; false when the sound cannot go there.
    bool rewind();
    // libsndfile's code for the last failure, or 0.
    int error() const;

private:
    void close();

    SoundCursor cursor_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
    int channels_ = 0;
    std::vector<int16_t> unfolded_;  // the file's own frames, when they are folded to mono
};

// Why a header cannot be trusted (a libsndfile or OpenAL error code), or 0:
// too long, too many channels, or more sample bytes than the file holds.
int soundHeaderProblem(const SF_INFO& info, uint64_t fileSize);

// Decodes a whole sound (WAV, MP3, anything libsndfile reads). Returns 0, or
// the back end's error code with sound left empty; never throws.
int decodeSound(const SoundBytes& bytes, SoundChannels channels, DecodedSound& sound);
