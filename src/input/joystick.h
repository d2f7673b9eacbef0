#pragma once

#include <cstdint>

// The first joystick's axes (0..65535 each) and its buttons as bits.
struct JoystickState {
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t z = 0;
    uint32_t buttons = 0;
};

// The first joystick's last polled state; null until the window is created.
extern JoystickState* gJoystickState;
void createJoystickRecord();

constexpr int JOYERR_NOERROR = 0;
constexpr int JOYERR_UNPLUGGED = 167;

// Opens the first joystick; JOYERR_NOERROR when one is there.
int captureJoystick();
// Fills state from the captured joystick; a nonzero result leaves it untouched.
int pollJoystick(JoystickState* state);
void releaseJoystick();

// A stick axis, -32768..32767, on the 0..65535 scale the control step expects.
uint32_t joystickAxisToUnsigned(int16_t axis);
