#include "audio/sound.h"

// Silent until the OpenAL back end lands: the race calls these every frame.
int startSound(SDL_Window*) {
    return 1;
}
void updateEngineSound(float) {}
void playCrashSound() {}
void playShotSound() {}
void shutdownSound() {}
void reportSoundError(const char*) {}
