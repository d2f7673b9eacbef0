#include "audio/sound.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <AL/efx.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "assets/data_dir.h"
#include "assets/player_messages.h"
#include "audio/countdown_tone.h"
#include "audio/music_stream.h"
#include "audio/sound_backend.h"
#include "audio/sound_file.h"

uint32_t gMusicStream = 0;
uint32_t gEngineSample = 0;
uint32_t gCrashSample = 0;
uint32_t gShotSample = 0;
uint32_t gCountdownBeepSample = 0;
uint32_t gCountdownGoSample = 0;
int32_t gEngineFrequency = 0;
int32_t gEngineVolume = 0;

namespace {
ALCdevice* gSoundDevice = nullptr;
ALCcontext* gSoundContext = nullptr;
int gLastSoundErrorCode = 0;
MusicStream gMusic;

constexpr int ENGINE_VOLUME_MIN = 31;
constexpr int ENGINE_VOLUME_MAX = 89;
constexpr int ENGINE_FREQUENCY_MIN = 20000;
constexpr int ENGINE_FREQUENCY_MAX = 60000;
constexpr int ENGINE_FREQUENCY_STEP = 200;
constexpr int ENGINE_START_VOLUME = 100;
constexpr int CRASH_VOLUME = 100;
constexpr int SHOT_VOLUME = 50;
constexpr int SHOT_PAN = -1;
constexpr int COUNTDOWN_VOLUME = 80;
constexpr float PAN_ARC_RADIANS = 0.5235988f;

ALuint bufferOf(ALuint source) {
    ALint buffer = 0;
    alGetSourcei(source, AL_BUFFER, &buffer);
    return static_cast<ALuint>(buffer);
}

int sampleRateOf(ALuint source) {
    ALint rate = 0;
    alGetBufferi(bufferOf(source), AL_FREQUENCY, &rate);
    return rate;
}

bool isSounding(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

// Pan -100 (left) .. 100 (right) becomes a direction in front of the listener,
// across the arc between the front speakers (30 degrees either side), where a
// stereo mix pans from one speaker to the other; distance never softens it.
void setPan(ALuint source, int pan) {
    const float angle = static_cast<float>(pan) / 100.0f * PAN_ARC_RADIANS;
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    alSource3f(source, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
}

// The sound's own volume 0..100, under the player's effects volume.
void setVolume(ALuint source, int volume) {
    if (source != 0) {
        alSourcef(source, AL_GAIN, effectGain(volume));
    }
}

// Rate in Hz against the sample's own rate; volume 0..100.
void setAttributes(ALuint source, int frequency, int volume, int pan) {
    const int ownRate = sampleRateOf(source);
    alSourcef(source, AL_PITCH,
              ownRate > 0 ? static_cast<float>(frequency) / static_cast<float>(ownRate) : 1.0f);
    setVolume(source, volume);
    setPan(source, pan);
}

// One source per sample: a second request while it sounds finds it busy.
bool playSample(ALuint source, int volume, int pan) {
    if (source == 0 || isSounding(source)) {
        return false;
    }
    alGetError();
    setAttributes(source, sampleRateOf(source), volume, pan);
    alSourcePlay(source);
    const ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        return false;
    }
    return true;
}

// The engine is replayed at up to almost three times its own rate; OpenAL
// Soft's default linear resampler would fold its upper harmonics back down as
// audible whistles. A windowed-sinc resampler filters them out, where offered.
void useCleanResampler(ALuint source) {
    if (alIsExtensionPresent("AL_SOFT_source_resampler") == AL_FALSE) {
        return;
    }
    auto resamplerName = reinterpret_cast<LPALGETSTRINGISOFT>(alGetProcAddress("alGetStringiSOFT"));
    if (resamplerName == nullptr) {
        return;
    }
    const ALint count = alGetInteger(AL_NUM_RESAMPLERS_SOFT);
    for (ALint i = 0; i < count; ++i) {
        const ALchar* name = resamplerName(AL_RESAMPLER_NAME_SOFT, i);
        if (name != nullptr && std::strstr(name, "Sinc") != nullptr) {
            alSourcei(source, AL_SOURCE_RESAMPLER_SOFT, i);
            return;
        }
    }
}

ALuint generateSource() {
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    const ALenum error = alGetError();
    if (error != AL_NO_ERROR) {
        recordSoundErrorCode(error);
        return 0;
    }
    useCleanResampler(source);
    return source;
}

ALuint createSource(ALuint buffer, bool looping) {
    if (buffer == 0) {
        return 0;
    }
    const ALuint source = generateSource();
    if (source == 0) {
        alDeleteBuffers(1, &buffer);
        return 0;
    }
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcei(source, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    return source;
}

// The music is streamed: only its first stretch is decoded here, which is also
// where a damaged file shows.
ALuint openMusic(const char* path) {
    ALuint source = generateSource();
    if (source == 0) {
        return 0;
    }
    const int problem = gMusic.open(path, source);
    if (problem != 0) {
        recordSoundErrorCode(problem);
        alDeleteSources(1, &source);
        return 0;
    }
    return source;
}

void releaseMusic() {
    if (gMusicStream == 0) {
        return;
    }
    gMusic.close();
    alDeleteSources(1, &gMusicStream);
    gMusicStream = 0;
}

ALuint loadSample(const char* path, bool looping) {
    return createSource(loadSoundBuffer(path, SoundChannels::Mono), looping);
}

ALuint makeCountdownSample(bool go) {
    return createSource(makeSoundBuffer(countdownTone(go)), false);
}

void releaseSource(uint32_t& source) {
    if (source == 0) {
        return;
    }
    const ALuint buffer = bufferOf(source);
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
    source = 0;
}

bool openOutput(SoundOutput output) {
    if (output.device == nullptr) {
        return false;
    }
    gSoundDevice = output.device;
    gSoundContext = output.context != nullptr
                        ? output.context
                        : alcCreateContext(gSoundDevice, output.contextAttributes.empty()
                                                             ? nullptr
                                                             : output.contextAttributes.data());
    if (gSoundContext == nullptr || alcMakeContextCurrent(gSoundContext) == ALC_FALSE) {
        recordSoundErrorCode(alcGetError(gSoundDevice));
        if (gSoundContext != nullptr) {
            alcDestroyContext(gSoundContext);
            gSoundContext = nullptr;
        }
        alcCloseDevice(gSoundDevice);
        gSoundDevice = nullptr;
        return false;
    }
    return true;
}

bool runtimeIsSuitable() {
    ALCint major = 0;
    ALCint minor = 0;
    alcGetIntegerv(nullptr, ALC_MAJOR_VERSION, 1, &major);
    alcGetIntegerv(nullptr, ALC_MINOR_VERSION, 1, &minor);
    if (!openalRuntimeIsSuitable(major, minor)) {
        showMessageBox("OpenAL version 1.1 was not loaded", "Incorrect OpenAL");
        return false;
    }
    return true;
}

// Drawn even when there is no sound, so the opponents' and colours' draws
// that follow are the same on every machine.
int drawEngineStartPan() {
    return std::rand() % 201 - 100;
}
}  // namespace

void recordSoundErrorCode(int code) {
    gLastSoundErrorCode = code;
}

int lastSoundErrorCode() {
    return gLastSoundErrorCode;
}

bool openalRuntimeIsSuitable(int major, int minor) {
    return major > 1 || (major == 1 && minor >= 1);
}

SoundOutput openDefaultSoundOutput() {
    SoundOutput output;
    output.device = alcOpenDevice(nullptr);
    if (output.device == nullptr) {
        output.failure = alcGetError(nullptr);
        return output;
    }
    // No effect sends: none is used, and each would cost every voice its own
    // filters and buffers.
    output.contextAttributes = {ALC_MAX_AUXILIARY_SENDS, 0, 0};
    output.context = alcCreateContext(output.device, output.contextAttributes.data());
    if (output.context == nullptr) {
        output.failure = alcGetError(output.device);
        alcCloseDevice(output.device);
        output.device = nullptr;
    }
    return output;
}

void closeSoundOutput(SoundOutput& output) {
    if (output.context != nullptr) {
        alcDestroyContext(output.context);
        output.context = nullptr;
    }
    if (output.device != nullptr) {
        alcCloseDevice(output.device);
        output.device = nullptr;
    }
}

namespace {
int startSoundAfterCheck(SoundOutput output) {
    if (!openOutput(std::move(output))) {
        // That one box says it all: with no device nothing else can play, and
        // the race runs silent.
        showMessageBox("No puc engegar soundsystem", "error");
        drawEngineStartPan();
        return 1;
    }

    gMusicStream = openMusic(dataPath("data/musik.mp3").c_str());
    if (gMusicStream == 0) {
        showMessageBox("No puc crear stream (n sta musik.mp3 a la carpeta data)", "error");
    }

    bool musicPlays = false;
    if (gMusicStream != 0) {
        alGetError();
        setMusicUsualGain(MUSIC_GAIN);
        alSourcePlay(gMusicStream);
        const ALenum error = alGetError();
        musicPlays = error == AL_NO_ERROR;
        if (!musicPlays) {
            recordSoundErrorCode(error);
        }
    }
    if (!musicPlays) {
        reportSoundError("Can't play stream");
    }

    gEngineSample = loadSample(dataPath("data/jet.wav").c_str(), true);
    gCrashSample = loadSample(dataPath("data/xoc.wav").c_str(), false);
    gShotSample = loadSample(dataPath("data/exp.wav").c_str(), false);

    const int pan = drawEngineStartPan();
    if (!playSample(gEngineSample, ENGINE_START_VOLUME, pan)) {
        reportSoundError("Can't play sample");
    }

    if (gEngineSample != 0) {
        float pitch = 1.0f;
        alGetSourcef(gEngineSample, AL_PITCH, &pitch);
        gEngineFrequency = static_cast<int32_t>(
            std::lround(pitch * static_cast<float>(sampleRateOf(gEngineSample))));
        // The engine's own notch, not its gain: the effects volume is the player's.
        gEngineVolume = ENGINE_START_VOLUME;
    }
    // After the boxes above, so their error codes stay the samples' own.
    gCountdownBeepSample = makeCountdownSample(false);
    gCountdownGoSample = makeCountdownSample(true);
    return 1;
}
}  // namespace

int startSound() {
    return startSoundWith(openDefaultSoundOutput());
}

int startSoundOn(SoundOutputOpener openOutputFn) {
    if (!runtimeIsSuitable()) {
        return 0;
    }
    return startSoundAfterCheck(openOutputFn());
}

int startSoundWith(SoundOutput openedAhead) {
    if (!runtimeIsSuitable()) {
        closeSoundOutput(openedAhead);
        return 0;
    }
    if (openedAhead.device == nullptr) {
        recordSoundErrorCode(openedAhead.failure);
    }
    return startSoundAfterCheck(std::move(openedAhead));
}

void updateEngineSound(float throttle) {
    // Each bound is tested before the step, so a value may pass it by less than one step.
    if (throttle > 0.0f) {
        if (gEngineVolume < ENGINE_VOLUME_MAX) {
            gEngineVolume += 1;
        }
        if (gEngineFrequency < ENGINE_FREQUENCY_MAX) {
            gEngineFrequency += ENGINE_FREQUENCY_STEP;
        }
    } else {
        if (gEngineVolume > ENGINE_VOLUME_MIN) {
            gEngineVolume -= 1;
        }
        if (gEngineFrequency > ENGINE_FREQUENCY_MIN) {
            gEngineFrequency -= ENGINE_FREQUENCY_STEP;
        }
    }
    // Also brings the engine to the centre: the random start pan lasts one frame.
    if (gEngineSample != 0) {
        setAttributes(gEngineSample, gEngineFrequency, gEngineVolume, 0);
    }
}

void updateMusicStream() {
    if (gMusicStream != 0) {
        gMusic.refill();
    }
}

void playCrashSound() {
    playSample(gCrashSample, CRASH_VOLUME, 0);
}

void playShotSound() {
    playSample(gShotSample, SHOT_VOLUME, SHOT_PAN);
}

void playCountdownSound(bool go) {
    playSample(go ? gCountdownGoSample : gCountdownBeepSample, COUNTDOWN_VOLUME, 0);
}

void reapplyEffectsGains() {
    setVolume(gEngineSample, gEngineVolume);
    setVolume(gCrashSample, CRASH_VOLUME);
    setVolume(gShotSample, SHOT_VOLUME);
    setVolume(gCountdownBeepSample, COUNTDOWN_VOLUME);
    setVolume(gCountdownGoSample, COUNTDOWN_VOLUME);
}

void shutdownSound() {
    if (gSoundContext != nullptr) {
        releaseMusic();
        releaseSource(gEngineSample);
        releaseSource(gCrashSample);
        releaseSource(gShotSample);
        releaseSource(gCountdownBeepSample);
        releaseSource(gCountdownGoSample);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(gSoundContext);
        gSoundContext = nullptr;
    }
    if (gSoundDevice != nullptr) {
        alcCloseDevice(gSoundDevice);
        gSoundDevice = nullptr;
    }
    gMusicStream = gEngineSample = gCrashSample = gShotSample = 0;
    gCountdownBeepSample = gCountdownGoSample = 0;
    gEngineFrequency = 0;
    gEngineVolume = 0;
}

void reportSoundError(const char* text) {
    char message[200];
    std::snprintf(message, sizeof message, "%s\n(error code: %d)", text, lastSoundErrorCode());
    showMessageBox(message, "Error", BoxOwner::GameWindow);
}
