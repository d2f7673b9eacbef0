#include "assets/player_messages.h"

#include <cstdio>
#include <cstdlib>

namespace {
MessageBoxShower gMessageBoxShower = nullptr;
MessageBoxHandler gMessageBoxHandler = nullptr;
}  // namespace

void setMessageBoxShower(MessageBoxShower shower) {
    gMessageBoxShower = shower;
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
    if (gMessageBoxShower != nullptr) {
        gMessageBoxShower(text, caption, owner, icon);
    }
}

void endProgram(int exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::exit(exitCode);
}
