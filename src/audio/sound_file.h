#pragma once

#include <AL/al.h>

// Decodes a whole sound file (WAV, MP3, anything libsndfile reads) into a new
// OpenAL buffer. Effects are folded down to mono so a source's position can pan
// them; the music keeps its channels. Returns 0 and records the back end's
// error code when the file cannot be read or the buffer cannot be filled.
enum class SoundChannels { Mono, AsRecorded };
ALuint loadSoundBuffer(const char* path, SoundChannels channels);
