#pragma once

#include <AL/al.h>

#include <array>
#include <memory>
#include <vector>

#include "audio/sound_decoder.h"

// Fills out with frames frames, going on from the sound's start whenever its
// end is reached, so the loop's join has no gap. Returns fewer only when the
// sound yields nothing from its start or cannot go back to it.
sf_count_t readLooping(SoundReader& reader, int16_t* out, sf_count_t frames);

// The music, decoded a little ahead of playback into a ring of buffers queued
// on its source, instead of held whole for the race. The game refills it once
// a frame; the ring holds two seconds, far more than any frame takes.
class MusicStream {
public:
    static constexpr int BUFFER_COUNT = 4;
    static constexpr int BUFFERS_PER_SECOND = 2;

    MusicStream();
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // Opens path (a regular file only) and queues its first stretch on source,
    // which this stream then feeds. Returns 0, or the back end's code for why
    // the music cannot play: a damaged file shows here, before the first frame.
    int open(const char* path, ALuint source);
    // Refills and requeues what the source has played; restarts it if it ran dry.
    void refill();
    // Stops the source, takes the buffers off it and deletes them, closes the file.
    // The source itself stays the caller's.
    void close();

private:
    struct OpenFile;

    int fill(ALuint buffer);

    std::unique_ptr<OpenFile> file_;
    ALuint source_ = 0;
    std::array<ALuint, BUFFER_COUNT> buffers_{};
    std::vector<int16_t> pcm_;
    ALenum format_ = 0;
};
