#pragma once

#include <cstdint>

#include "craft/player.h"

// A stick must lean this far (of 32767) before it steers, so a worn stick
// resting a little off centre does not.
constexpr int16_t STICK_DEAD_ZONE = 8000;
// A trigger must be pressed this far (of 32767) before it counts.
constexpr int16_t TRIGGER_THRESHOLD = 8000;

// What the game reads of one gamepad.
struct PadReading {
    int16_t leftStickX = 0;    // -32768 left .. 32767 right
    int16_t leftTrigger = 0;   // 0 .. 32767
    int16_t rightTrigger = 0;  // 0 .. 32767
    bool a = false;
    bool b = false;
    bool x = false;
    bool dpadLeft = false;
    bool dpadRight = false;
};

// The driving keys a pad holds: the left stick past its dead zone or the
// d-pad steers, A or the right trigger accelerates, B or the left trigger
// brakes, X fires. Steering stays digital, as on the keyboard.
KeyboardInput keysHeldByPad(const PadReading& pad);

// Keys held on any of several pads.
KeyboardInput eitherHeld(const KeyboardInput& one, const KeyboardInput& other);
