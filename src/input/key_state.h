// input: keys, gamepads and the joystick record, and the commands they give.
#pragma once

// The platform's virtual-key codes for the keys the game reads.
enum VirtualKey : int {
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_B = 0x42,
    VK_C = 0x43,
    VK_F = 0x46,
    VK_G = 0x47,
    VK_M = 0x4D,
    VK_N = 0x4E,
    VK_P = 0x50,
    VK_R = 0x52,
    VK_V = 0x56,
};

// The asynchronous key-state query: true while the key is held, and also once
// for a key that was pressed and released since the previous query.
bool getAsyncKeyState(int virtualKey);

// Fed by the platform's event pump (and by tests driving the craft directly).
void recordKeyDown(int virtualKey);
void recordKeyUp(int virtualKey);
// Gamepads hold keys apart from the keyboard: a key is down while either holds
// it, so letting go on one never releases the other. A new hold counts like a
// key press, even if it ends before the next query.
void holdKeyFromPad(int virtualKey, bool held);
// Lets go of every key, the keyboard's and the gamepads'.
void releaseAllKeys();

// The driving keys as the control step takes them, each read once.
struct KeyboardInput;
KeyboardInput readKeyboard();
