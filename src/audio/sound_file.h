#pragma once

#include <AL/al.h>

#include "assets/regular_file.h"
#include "audio/sound_decoder.h"

// The bytes of an open sound file in data/.
class FileSoundBytes : public SoundBytes {
public:
    explicit FileSoundBytes(const RegularFile& file) : file_(file) {}
    uint64_t size() const override { return file_.size(); }
    bool readAt(uint64_t offset, void* buffer, std::size_t count) const override {
        return file_.readAt(offset, buffer, count);
    }

private:
    const RegularFile& file_;
};

// Decodes a whole sound file into a new OpenAL buffer. Only a regular file is
// read, so a FIFO or a device in data/ fails like a missing file instead of
// hanging the start-up. Returns 0 and records the back end's error code when
// the file cannot be read, is over budget or the buffer cannot be filled.
ALuint loadSoundBuffer(const char* path, SoundChannels channels);

// A new OpenAL buffer holding the sound; 0, with the back end's error code
// recorded, when it cannot be made.
ALuint makeSoundBuffer(const DecodedSound& sound);
