#include "app/key_state.h"

#include <array>

namespace {
std::array<bool, 256> gKeyHeld{};
// A press since the last query: a tap shorter than a frame still counts.
std::array<bool, 256> gKeyTapped{};

bool validKey(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256;
}
}  // namespace

bool getAsyncKeyState(int virtualKey) {
    if (!validKey(virtualKey)) {
        return false;
    }
    const bool down = gKeyHeld[virtualKey] || gKeyTapped[virtualKey];
    gKeyTapped[virtualKey] = false;
    return down;
}

void recordKeyDown(int virtualKey) {
    if (validKey(virtualKey)) {
        gKeyHeld[virtualKey] = true;
        gKeyTapped[virtualKey] = true;
    }
}

void recordKeyUp(int virtualKey) {
    if (validKey(virtualKey)) {
        gKeyHeld[virtualKey] = false;
    }
}

void releaseAllKeys() {
    gKeyHeld.fill(false);
    gKeyTapped.fill(false);
}
