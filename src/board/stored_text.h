// board: text the stores keep must come back exactly as it went in.
#pragma once

#include <string>

#include "board/board_store.h"

// A NUL byte would cut the text short in PostgreSQL and only there; both
// stores refuse it, so a name never means two things.
inline void refuseNulBytes(const std::string& text, const char* what) {
    if (text.find('\0') != std::string::npos) {
        throw BoardStoreError(std::string(what) + " holds a NUL byte");
    }
}

inline void refuseNulBytes(const NewRun& run) {
    refuseNulBytes(run.player, "the player's name");
    refuseNulBytes(run.controlsKey, "the controls key");
    refuseNulBytes(run.gameVersion, "the game version");
    refuseNulBytes(run.submitted, "the submitted time");
}
