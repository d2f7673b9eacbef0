#include <AL/al.h>

#include "audio/sound.h"
#include "audio/sound_backend.h"

namespace {
ALint stateOf(uint32_t source) {
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

void holdIfSounding(uint32_t source) {
    if (source != 0 && stateOf(source) == AL_PLAYING) {
        alSourcePause(source);
    }
}

// Only what the pause held goes on: an effect that had ended stays silent.
void playOnIfHeld(uint32_t source) {
    if (source != 0 && stateOf(source) == AL_PAUSED) {
        alSourcePlay(source);
    }
}
}  // namespace

void pauseRaceSounds() {
    holdIfSounding(gEngineSample);
    holdIfSounding(gCrashSample);
    holdIfSounding(gShotSample);
    holdIfSounding(gCountdownBeepSample);
    holdIfSounding(gCountdownGoSample);
    setMusicUsualGain(PAUSED_MUSIC_GAIN);
}

void resumeRaceSounds() {
    playOnIfHeld(gEngineSample);
    playOnIfHeld(gCrashSample);
    playOnIfHeld(gShotSample);
    playOnIfHeld(gCountdownBeepSample);
    playOnIfHeld(gCountdownGoSample);
    setMusicUsualGain(MUSIC_GAIN);
}
