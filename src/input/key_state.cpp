#include "input/key_state.h"

#include "craft/player.h"

#include <array>

namespace {
std::array<bool, 256> gKeyHeld{};
std::array<bool, 256> gKeyHeldByPad{};
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
    const bool down = gKeyHeld[virtualKey] || gKeyHeldByPad[virtualKey] || gKeyTapped[virtualKey];
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

void holdKeyFromPad(int virtualKey, bool held) {
    if (!validKey(virtualKey)) {
        return;
    }
    if (held && !gKeyHeldByPad[virtualKey]) {
        gKeyTapped[virtualKey] = true;
    }
    gKeyHeldByPad[virtualKey] = held;
}

void releaseAllKeys() {
    gKeyHeld.fill(false);
    gKeyHeldByPad.fill(false);
    gKeyTapped.fill(false);
}

KeyboardInput readKeyboard() {
    KeyboardInput keys;
    keys.up = getAsyncKeyState(VK_UP);
    keys.down = getAsyncKeyState(VK_DOWN);
    keys.right = getAsyncKeyState(VK_RIGHT);
    keys.left = getAsyncKeyState(VK_LEFT);
    // Read every frame, whether or not a shot is free.
    keys.space = getAsyncKeyState(VK_SPACE);
    return keys;
}
