#include "audio/sound_decoder.h"

#include <AL/al.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {
// libsndfile reads through a cursor, so a file and a block of memory are
// decoded by the very same code.
sf_count_t byteLength(void* cursor) {
    return static_cast<sf_count_t>(static_cast<SoundCursor*>(cursor)->bytes->size());
}

sf_count_t seekTo(sf_count_t offset, int whence, void* user) {
    auto* cursor = static_cast<SoundCursor*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR) {
        base = cursor->position;
    } else if (whence == SEEK_END) {
        base = byteLength(cursor);
    } else if (whence != SEEK_SET) {
        return -1;
    }
    // A hostile header can ask for any offset; the sum must not overflow.
    sf_count_t target = 0;
    if (__builtin_add_overflow(base, offset, &target) || target < 0) {
        return -1;
    }
    cursor->position = target;
    return target;
}

sf_count_t readBytes(void* buffer, sf_count_t count, void* user) {
    auto* cursor = static_cast<SoundCursor*>(user);
    const sf_count_t length = byteLength(cursor);
    if (count <= 0 || cursor->position >= length) {
        return 0;
    }
    const sf_count_t wanted = count < length - cursor->position ? count : length - cursor->position;
    if (!cursor->bytes->readAt(static_cast<uint64_t>(cursor->position), buffer,
                               static_cast<std::size_t>(wanted))) {
        return 0;
    }
    cursor->position += wanted;
    return wanted;
}

sf_count_t refuseWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tellPosition(void* user) {
    return static_cast<SoundCursor*>(user)->position;
}

// Bytes per sample where the container stores samples as they are, so the
// file's size bounds their number; 0 where they are compressed (FLAC, MP3,
// Vorbis...) and only decoding tells how many there are.
int storedBytesPerSample(int format) {
    switch (format & SF_FORMAT_TYPEMASK) {
        case SF_FORMAT_WAV:
        case SF_FORMAT_WAVEX:
        case SF_FORMAT_RF64:
        case SF_FORMAT_W64:
        case SF_FORMAT_AIFF:
        case SF_FORMAT_AU:
        case SF_FORMAT_CAF:
            break;
        default:
            return 0;
    }
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW:
            return 1;
        case SF_FORMAT_PCM_16:
            return 2;
        case SF_FORMAT_PCM_24:
            return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT:
            return 4;
        case SF_FORMAT_DOUBLE:
            return 8;
        default:
            return 0;
    }
}

// Reads the whole sound into one buffer sized from the header where it can be.
int decodeAll(SoundReader& reader, DecodedSound& sound) {
    sound.channels = reader.channels();
    sound.sampleRate = reader.sampleRate();
    // An MP3 of unknown length says SF_COUNT_MAX; it grows as it decodes.
    if (reader.frames() <= SOUND_FRAME_BUDGET) {
        sound.samples.reserve(static_cast<std::size_t>(reader.frames()) * sound.channels);
    }
    constexpr sf_count_t CHUNK_FRAMES = 16384;
    std::vector<int16_t> chunk(static_cast<std::size_t>(CHUNK_FRAMES) * sound.channels);
    sf_count_t decoded = 0;
    for (;;) {
        const sf_count_t got = reader.read(chunk.data(), CHUNK_FRAMES);
        if (got <= 0) {
            break;
        }
        decoded += got;
        // The header's length was only an estimate: stop once past the budget.
        if (decoded > SOUND_FRAME_BUDGET) {
            return AL_OUT_OF_MEMORY;
        }
        sound.samples.insert(sound.samples.end(), chunk.begin(),
                             chunk.begin() + static_cast<std::ptrdiff_t>(got * sound.channels));
    }
    if (reader.error() != SF_ERR_NO_ERROR) {
        return reader.error();
    }
    if (sound.samples.empty()) {
        return SF_ERR_MALFORMED_FILE;
    }
    return 0;
}
}  // namespace

bool MemorySoundBytes::readAt(uint64_t offset, void* buffer, std::size_t count) const {
    if (offset > size_ || count > size_ - offset) {
        return false;
    }
    std::memcpy(buffer, data_ + offset, count);
    return true;
}

int soundHeaderProblem(const SF_INFO& info, uint64_t fileSize) {
    if (info.channels < 1 || info.samplerate < 1) {
        return SF_ERR_UNRECOGNISED_FORMAT;
    }
    if (info.channels > SOUND_CHANNEL_BUDGET) {
        return SF_ERR_UNSUPPORTED_ENCODING;
    }
    if (info.frames == SF_COUNT_MAX) {
        return 0;  // length unknown until decoded
    }
    if (info.frames < 0 || info.frames > SOUND_FRAME_BUDGET) {
        return AL_OUT_OF_MEMORY;
    }
    const uint64_t sampleBytes = static_cast<uint64_t>(info.frames) *
                                 static_cast<uint64_t>(info.channels) *
                                 static_cast<uint64_t>(storedBytesPerSample(info.format));
    if (sampleBytes > fileSize) {
        return SF_ERR_MALFORMED_FILE;
    }
    return 0;
}

SoundReader::~SoundReader() {
    close();
}

void SoundReader::close() {
    if (file_ != nullptr) {
        sf_close(file_);
        file_ = nullptr;
    }
    info_ = SF_INFO{};
    channels_ = 0;
    unfolded_.clear();
}

int SoundReader::open(const SoundBytes& bytes, SoundChannels channels) {
    close();
    cursor_ = SoundCursor{&bytes, 0};
    SF_VIRTUAL_IO io{byteLength, seekTo, readBytes, refuseWrite, tellPosition};
    SF_INFO info{};
    file_ = sf_open_virtual(&io, SFM_READ, &info, &cursor_);
    if (file_ == nullptr) {
        return sf_error(nullptr);
    }
    const int problem = soundHeaderProblem(info, bytes.size());
    if (problem != 0) {
        close();
        return problem;
    }
    info_ = info;
    channels_ = channels == SoundChannels::Mono || info.channels > 2 ? 1 : info.channels;
    return 0;
}

sf_count_t SoundReader::read(int16_t* out, sf_count_t frames) {
    if (file_ == nullptr || frames <= 0) {
        return 0;
    }
    if (channels_ == info_.channels) {
        const sf_count_t got = sf_readf_short(file_, out, frames);
        return got > 0 ? got : 0;
    }
    // Folded down a piece at a time, averaging the file's channels.
    constexpr sf_count_t FOLD_FRAMES = 4096;
    unfolded_.resize(static_cast<std::size_t>(FOLD_FRAMES) * info_.channels);
    sf_count_t done = 0;
    while (done < frames) {
        const sf_count_t wanted = frames - done < FOLD_FRAMES ? frames - done : FOLD_FRAMES;
        const sf_count_t got = sf_readf_short(file_, unfolded_.data(), wanted);
        if (got <= 0) {
            break;
        }
        for (sf_count_t i = 0; i < got; ++i) {
            int sum = 0;
            for (int c = 0; c < info_.channels; ++c) {
                sum += unfolded_[static_cast<std::size_t>(i * info_.channels + c)];
            }
            out[done + i] = static_cast<int16_t>(sum / info_.channels);
        }
        done += got;
        if (got < wanted) {
            break;
        }
    }
    return done;
}

bool SoundReader::rewind() {
    return file_ != nullptr && sf_seek(file_, 0, SEEK_SET) == 0;
}

int SoundReader::error() const {
    return file_ != nullptr ? sf_error(file_) : SF_ERR_NO_ERROR;
}

int decodeSound(const SoundBytes& bytes, SoundChannels channels, DecodedSound& sound) {
    sound = DecodedSound{};
    SoundReader reader;
    int problem = reader.open(bytes, channels);
    if (problem == 0) {
        try {
            problem = decodeAll(reader, sound);
        } catch (const std::bad_alloc&) {
            problem = AL_OUT_OF_MEMORY;
        }
    }
    if (problem != 0) {
        sound = DecodedSound{};
    }
    return problem;
}
