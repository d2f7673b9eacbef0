#include "input/gamepad_keys.h"

#include "input/key_bindings.h"

bool PadReading::held(SDL_GameControllerButton button) const {
    return button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX && buttons[button];
}

void PadReading::setButton(int button, bool down) {
    if (button >= 0 && button < SDL_CONTROLLER_BUTTON_MAX) {
        buttons[button] = down;
    }
}

KeyboardInput keysHeldByPad(const PadReading& pad) {
    KeyboardInput keys;
    const auto bound = [&pad](Action action) { return pad.held(boundPadButton(action)); };
    keys.up = bound(Action::Accelerate) || pad.rightTrigger > TRIGGER_THRESHOLD;
    keys.down = bound(Action::Brake) || pad.leftTrigger > TRIGGER_THRESHOLD;
    keys.left = bound(Action::Left) || pad.leftStickX < -STICK_DEAD_ZONE;
    keys.right = bound(Action::Right) || pad.leftStickX > STICK_DEAD_ZONE;
    keys.space = bound(Action::Fire);
    return keys;
}

KeyboardInput eitherHeld(const KeyboardInput& one, const KeyboardInput& other) {
    KeyboardInput keys;
    keys.up = one.up || other.up;
    keys.down = one.down || other.down;
    keys.left = one.left || other.left;
    keys.right = one.right || other.right;
    keys.space = one.space || other.space;
    return keys;
}
