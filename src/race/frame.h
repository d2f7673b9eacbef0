#pragma once

#include <cstdint>

struct JoystickState;

// Frames modulo 360: schedules the exhaust glow (every 3rd) and the race
// position refresh (every 10th), and spins the shot's picture.
extern int32_t gFrameCounter;
constexpr int32_t FRAME_COUNTER_MODULUS = 360;

// The first joystick's last polled state; allocated by the scene set-up.
extern JoystickState* gJoystickState;

// One tick of the whole game: simulate, draw, swap. Needs the context current.
void renderFrame();
