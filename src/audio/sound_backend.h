#pragma once

#include <AL/alc.h>

#include <vector>

// Where the mix goes: the default output device for the game, a loopback
// device when a test renders the mix itself.
struct SoundOutput {
    ALCdevice* device = nullptr;
    std::vector<ALCint> contextAttributes;  // zero-terminated; empty for the device's defaults
    // Made with the device when it was opened ahead; else made as the sound starts.
    ALCcontext* context = nullptr;
    // The ALC code for why an output opened ahead has no device.
    int failure = 0;
};
using SoundOutputOpener = SoundOutput (*)();

// The default device and its context, opened on any thread (the game opens
// them while its window comes up). It records nothing and shows nothing: a
// failure waits in the output for the sound's start to report in its turn.
SoundOutput openDefaultSoundOutput();
// Lets go of an output that was opened ahead and never started.
void closeSoundOutput(SoundOutput& output);

// The music's gain: headroom, so music, a full-throttle engine and a crash
// together stay below full scale instead of clipping. A paused race keeps the
// music on, a good deal quieter.
constexpr float MUSIC_GAIN = 0.6f;
constexpr float PAUSED_MUSIC_GAIN = 0.2f;

// The music's gain before the player's music volume: MUSIC_GAIN, or
// PAUSED_MUSIC_GAIN while a race is paused. Set on the source at once.
void setMusicUsualGain(float gain);
// The gain of an effect at its own volume (0..100) under the player's effects volume.
float effectGain(int volume);
// Gives the engine, crash and shot sources their gains again after the
// effects volume changed.
void reapplyEffectsGains();

// startSound on an output opened ahead, which it takes over (or closes).
int startSoundWith(SoundOutput openedAhead);
// startSound with the output the caller's opener opens now.
int startSoundOn(SoundOutputOpener openOutput);

// The game needs an OpenAL 1.1 runtime: looping sources, pitch and gain.
bool openalRuntimeIsSuitable(int major, int minor);

// The back end's code for the last failure (an ALC, AL or libsndfile code),
// shown in the error box the way the game always has.
void recordSoundErrorCode(int code);
int lastSoundErrorCode();
