#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "assets/player_messages.h"
#include "screen/game_window.h"

namespace {
MessageBoxHandler gMessageBoxHandler = nullptr;
}

void setMessageBoxHandler(MessageBoxHandler handler) {
    gMessageBoxHandler = handler;
}

void showMessageBox(const char* text, const char* caption, BoxOwner owner, BoxIcon icon) {
    // Also on standard error, so a player who started the game from a terminal
    // (or a packager reading logs) sees why it stopped.
    std::fprintf(stderr, "zentrix: %s: %s\n", caption, text);
    if (gMessageBoxHandler != nullptr) {
        gMessageBoxHandler(text, caption);
        return;
    }
    const Uint32 flags = icon == BoxIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_Window* parent = owner == BoxOwner::GameWindow ? gWindow : nullptr;
    if (SDL_ShowSimpleMessageBox(flags, caption, text, parent) != 0) {
        std::fprintf(stderr, "zentrix: could not show a message box: %s\n", SDL_GetError());
    }
}

void endProgram(int exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(exitCode);
}
