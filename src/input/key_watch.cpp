#include "input/key_watch.h"

#include <SDL2/SDL.h>

#include "input/key_bindings.h"
#include "input/key_state.h"

namespace {
int watchKeys(void*, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN) {
        recordKeyDown(virtualKeyFromSdl(event->key.keysym.sym));
    } else if (event->type == SDL_KEYUP) {
        recordKeyUp(virtualKeyFromSdl(event->key.keysym.sym));
    } else if (event->type == SDL_WINDOWEVENT &&
               event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        releaseAllKeys();  // no key stays stuck down after switching away
    }
    return 1;
}
}  // namespace

void startWatchingKeys() {
    SDL_AddEventWatch(watchKeys, nullptr);
}

void stopWatchingKeys() {
    SDL_DelEventWatch(watchKeys, nullptr);
}
