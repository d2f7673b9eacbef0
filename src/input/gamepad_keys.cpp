#include "input/gamepad_keys.h"

KeyboardInput keysHeldByPad(const PadReading& pad) {
    KeyboardInput keys;
    keys.up = pad.a || pad.rightTrigger > TRIGGER_THRESHOLD;
    keys.down = pad.b || pad.leftTrigger > TRIGGER_THRESHOLD;
    keys.left = pad.dpadLeft || pad.leftStickX < -STICK_DEAD_ZONE;
    keys.right = pad.dpadRight || pad.leftStickX > STICK_DEAD_ZONE;
    keys.space = pad.x;
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
