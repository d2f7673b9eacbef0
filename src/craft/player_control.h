#pragma once

#include "craft/player.h"

// How the craft answers its keys, per frame: speed gained on the throttle and
// lost on the brake, then damped; yaw rate gained while steering, held to
// its limit, then damped.
constexpr double CRAFT_THRUST = 1.8;
constexpr double CRAFT_BRAKE = 8.0;
constexpr double CRAFT_SPEED_DAMPING = 0.998;
constexpr double CRAFT_TURN_RATE = 0.001;
constexpr float CRAFT_MAX_YAW_RATE = 0.01f;
constexpr double CRAFT_YAW_DAMPING = 0.9;

// The keyboard control step: the keys move the craft, which may touch
// opponents and the wall and fire the shot; sounds says what to play.
void stepKeyboard(const KeyboardInput& keys, RaceSounds& sounds);

// Close to the wall the craft loses 4 % of its speed every frame.
void applyNearWallDrag();
