#include "audio/music_stream.h"

#include <algorithm>

#include "assets/regular_file.h"
#include "audio/sound_file.h"

namespace {
// A header may claim any rate; buffers are sized for at most the fastest
// studio rate, so a hostile one cannot make them huge.
constexpr int FASTEST_SIZED_RATE = 192000;
}  // namespace

struct MusicStream::OpenFile {
    RegularFile file;
    FileSoundBytes bytes{file};
    SoundReader reader;
};

sf_count_t readLooping(SoundReader& reader, int16_t* out, sf_count_t frames) {
    sf_count_t done = 0;
    bool justRewound = false;
    while (done < frames) {
        const sf_count_t got = reader.read(out + done * reader.channels(), frames - done);
        if (got > 0) {
            done += got;
            justRewound = false;
            continue;
        }
        // Nothing even from the start: there is nothing to loop.
        if (justRewound || !reader.rewind()) {
            break;
        }
        justRewound = true;
    }
    return done;
}

MusicStream::MusicStream() = default;

// Only the file is let go here: by the time globals are destroyed the OpenAL
// context is gone, and shutdown has already deleted the buffers.
MusicStream::~MusicStream() = default;

int MusicStream::open(const char* path, ALuint source) {
    close();
    auto file = std::make_unique<OpenFile>();
    if (!file->file.open(path)) {
        return SF_ERR_SYSTEM;  // what libsndfile says of a missing file
    }
    const int problem = file->reader.open(file->bytes, SoundChannels::AsRecorded);
    if (problem != 0) {
        return problem;
    }

    alGetError();
    alGenBuffers(BUFFER_COUNT, buffers_.data());
    const ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        buffers_ = {};
        return error;
    }
    file_ = std::move(file);
    source_ = source;
    const int channels = file_->reader.channels();
    format_ = channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    const int rate = std::min(file_->reader.sampleRate(), FASTEST_SIZED_RATE);
    pcm_.assign(static_cast<std::size_t>(std::max(1, rate / BUFFERS_PER_SECOND)) * channels, 0);

    // The queue itself never loops: the decoder goes round instead.
    alSourcei(source_, AL_LOOPING, AL_FALSE);
    for (ALuint buffer : buffers_) {
        const int fillProblem = fill(buffer);
        if (fillProblem != 0) {
            close();
            return fillProblem;
        }
        alSourceQueueBuffers(source_, 1, &buffer);
    }
    return 0;
}

int MusicStream::fill(ALuint buffer) {
    SoundReader& reader = file_->reader;
    const sf_count_t frames =
        readLooping(reader, pcm_.data(), static_cast<sf_count_t>(pcm_.size()) / reader.channels());
    if (frames <= 0) {
        return reader.error() != SF_ERR_NO_ERROR ? reader.error() : SF_ERR_MALFORMED_FILE;
    }
    alGetError();
    alBufferData(buffer, format_, pcm_.data(),
                 static_cast<ALsizei>(frames * reader.channels() * sizeof(int16_t)),
                 reader.sampleRate());
    const ALenum error = alGetError();
    return error == AL_NO_ERROR ? 0 : error;
}

void MusicStream::refill() {
    if (file_ == nullptr) {
        return;
    }
    ALint processed = 0;
    alGetSourcei(source_, AL_BUFFERS_PROCESSED, &processed);
    if (processed <= 0) {
        return;  // most frames: nothing has finished playing yet
    }
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(source_, 1, &buffer);
        if (fill(buffer) == 0) {
            alSourceQueueBuffers(source_, 1, &buffer);
        }
    }
    // The music stops only at shutdown, so a stopped source ran dry in a long
    // stall (a modal box, a debugger): it goes on from where the decoder is.
    ALint state = AL_INITIAL;
    ALint queued = 0;
    alGetSourcei(source_, AL_SOURCE_STATE, &state);
    alGetSourcei(source_, AL_BUFFERS_QUEUED, &queued);
    if (state == AL_STOPPED && queued > 0) {
        alSourcePlay(source_);
    }
}

void MusicStream::close() {
    if (source_ != 0) {
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);  // takes the whole queue off
        source_ = 0;
    }
    if (buffers_[0] != 0) {
        alDeleteBuffers(BUFFER_COUNT, buffers_.data());
        buffers_ = {};
    }
    file_.reset();
    pcm_ = std::vector<int16_t>();
    format_ = 0;
}
