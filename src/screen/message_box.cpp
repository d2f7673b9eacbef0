#include "screen/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

#include "assets/player_messages.h"
#include "screen/game_window.h"

namespace {
void showSdlBox(const char* text, const char* caption, BoxOwner owner, BoxIcon icon) {
    const Uint32 flags = icon == BoxIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_Window* parent = owner == BoxOwner::GameWindow ? gWindow : nullptr;
    if (SDL_ShowSimpleMessageBox(flags, caption, text, parent) != 0) {
        std::fprintf(stderr, "zentrix: could not show a message box: %s\n", SDL_GetError());
    }
}
}  // namespace

void showMessagesInBoxes() {
    setMessageBoxShower(showSdlBox);
}
