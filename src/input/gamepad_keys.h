#pragma once

#include <SDL2/SDL_gamecontroller.h>

#include <array>
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
    // Every button, by SDL's number for it.
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{};

    // False for SDL_CONTROLLER_BUTTON_INVALID, an action with no button.
    bool held(SDL_GameControllerButton button) const;
    // A number SDL has no button for changes nothing.
    void setButton(int button, bool down);
};

// The driving keys a pad holds: the buttons bound to accelerate, brake, left,
// right and fire (a, b, the d-pad and x unless the player chose others), and
// always the left stick past its dead zone, the right trigger to accelerate
// and the left to brake. Steering stays digital, as on the keyboard.
KeyboardInput keysHeldByPad(const PadReading& pad);

// Keys held on any of several pads.
KeyboardInput eitherHeld(const KeyboardInput& one, const KeyboardInput& other);
