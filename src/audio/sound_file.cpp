#include "audio/sound_file.h"

#include "assets/regular_file.h"
#include "audio/sound_backend.h"

namespace {
// The budget keeps every sound far below what one buffer can hold.
static_assert(SOUND_FRAME_BUDGET * 2 * sizeof(int16_t) < INT32_MAX);
}  // namespace

ALuint loadSoundBuffer(const char* path, SoundChannels channels) {
    RegularFile file;
    if (!file.open(path)) {
        recordSoundErrorCode(SF_ERR_SYSTEM);  // what libsndfile says of a missing file
        return 0;
    }
    DecodedSound sound;
    const int problem = decodeSound(FileSoundBytes(file), channels, sound);
    if (problem != 0) {
        recordSoundErrorCode(problem);
        return 0;
    }
    return makeSoundBuffer(sound);
}

ALuint makeSoundBuffer(const DecodedSound& sound) {
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        return 0;
    }
    const ALenum format = sound.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, sound.samples.data(),
                 static_cast<ALsizei>(sound.samples.size() * sizeof(int16_t)), sound.sampleRate);
    error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}
