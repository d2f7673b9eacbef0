#include <AL/al.h>

#include <algorithm>

#include "audio/sound.h"
#include "audio/sound_backend.h"

namespace {
// The player's two volumes, 0..100; they outlive a restart of the sound.
int gMusicPercent = 100;
int gEffectsPercent = 100;
float gMusicUsualGain = MUSIC_GAIN;

float fractionOf(int percent) {
    return static_cast<float>(percent) / 100.0f;
}
}  // namespace

void setMusicVolume(int percent) {
    if (std::clamp(percent, 0, 100) == gMusicPercent) {
        return;  // no gain to change
    }
    gMusicPercent = std::clamp(percent, 0, 100);
    setMusicUsualGain(gMusicUsualGain);
}

void setEffectsVolume(int percent) {
    if (std::clamp(percent, 0, 100) == gEffectsPercent) {
        return;
    }
    gEffectsPercent = std::clamp(percent, 0, 100);
    reapplyEffectsGains();
}

void setMusicUsualGain(float gain) {
    gMusicUsualGain = gain;
    if (gMusicStream != 0) {
        alSourcef(gMusicStream, AL_GAIN, gain * fractionOf(gMusicPercent));
    }
}

float effectGain(int volume) {
    return fractionOf(volume) * fractionOf(gEffectsPercent);
}
