#pragma once

#include <AL/al.h>

#include "audio/sound_decoder.h"

// Decodes a whole sound file into a new OpenAL buffer. Only a regular file is
// read, so a FIFO or a device in data/ fails like a missing file instead of
// hanging the start-up. Returns 0 and records the back end's error code when
// the file cannot be read, is over budget or the buffer cannot be filled.
ALuint loadSoundBuffer(const char* path, SoundChannels channels);
