#include "screen/quit_message.h"

#include <SDL2/SDL.h>

namespace {
Uint32 gQuitMessageType = 0;
}  // namespace

uint32_t quitMessageType() {
    if (gQuitMessageType == 0) {
        gQuitMessageType = SDL_RegisterEvents(1);
    }
    return gQuitMessageType;
}

void postQuitMessage(int exitCode) {
    SDL_Event quit{};
    quit.type = quitMessageType();
    quit.user.code = exitCode;
    SDL_PushEvent(&quit);
}
