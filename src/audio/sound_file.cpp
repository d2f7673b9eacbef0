#include "audio/sound_file.h"

#include <sndfile.h>

#include <cstdint>
#include <vector>

#include "audio/sound_backend.h"

namespace {
struct SoundFileCloser {
    SNDFILE* file;
    ~SoundFileCloser() {
        if (file != nullptr) {
            sf_close(file);
        }
    }
};

std::vector<int16_t> foldToMono(const std::vector<int16_t>& frames, int channels) {
    std::vector<int16_t> mono(frames.size() / channels);
    for (size_t i = 0; i < mono.size(); ++i) {
        int sum = 0;
        for (int c = 0; c < channels; ++c) {
            sum += frames[i * channels + c];
        }
        mono[i] = static_cast<int16_t>(sum / channels);
    }
    return mono;
}
}  // namespace

ALuint loadSoundBuffer(const char* path, SoundChannels channels) {
    SF_INFO info{};
    SoundFileCloser file{sf_open(path, SFM_READ, &info)};
    if (file.file == nullptr) {
        recordSoundErrorCode(sf_error(nullptr));
        return 0;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        recordSoundErrorCode(SF_ERR_UNRECOGNISED_FORMAT);
        return 0;
    }
    // An MP3's frame count is an estimate, so read until the decoder runs dry.
    constexpr sf_count_t CHUNK_FRAMES = 16384;
    std::vector<int16_t> samples;
    size_t used = 0;
    if (info.frames > 0 && info.frames < INT32_MAX) {
        samples.resize(static_cast<size_t>(info.frames + CHUNK_FRAMES) * info.channels);
    }
    for (;;) {
        if (samples.size() < used + static_cast<size_t>(CHUNK_FRAMES) * info.channels) {
            samples.resize(used + static_cast<size_t>(CHUNK_FRAMES) * info.channels * 4);
        }
        const sf_count_t got = sf_readf_short(file.file, samples.data() + used, CHUNK_FRAMES);
        if (got <= 0) {
            break;
        }
        used += static_cast<size_t>(got) * info.channels;
    }
    samples.resize(used);
    if (sf_error(file.file) != SF_ERR_NO_ERROR) {
        recordSoundErrorCode(sf_error(file.file));
        return 0;
    }
    if (samples.empty()) {
        recordSoundErrorCode(SF_ERR_MALFORMED_FILE);
        return 0;
    }

    int outChannels = info.channels;
    if (channels == SoundChannels::Mono || info.channels > 2) {
        samples = foldToMono(samples, info.channels);
        outChannels = 1;
    }
    const ALenum format = outChannels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    if (samples.size() > static_cast<size_t>(INT32_MAX) / sizeof(int16_t)) {
        recordSoundErrorCode(AL_OUT_OF_MEMORY);  // more than one buffer can hold
        return 0;
    }

    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        return 0;
    }
    alBufferData(buffer, format, samples.data(),
                 static_cast<ALsizei>(samples.size() * sizeof(int16_t)), info.samplerate);
    error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}
