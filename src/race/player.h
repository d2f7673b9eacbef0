#pragma once

#include "assets/model.h"
#include "math/vector3.h"

// The player's hover craft. Everything is counted per frame: speed in world
// units per frame, yaw rate in radians per frame.
struct Player {
    Vector3 position;
    float speed = 0.0f;
    float yaw = 0.0f;       // forward is (cos yaw, 0, sin yaw); never wrapped
    float yawRate = 0.0f;   // also banks the drawn craft
    float steer = 0.0f;     // last steering input: -1, 0 or +1
    float throttle = 0.0f;  // last throttle input: -1, 0 or +1
    Vector3 velocity;
    // Written each frame by the track progress update.
    double lambda = 0.0;
    double dist = 0.0;
    double next_dist = 0.0;
    // Start-line crossings forwards less those backwards: laps behind the
    // craft since the start, whatever way it got there.
    int32_t laps = 0;
    Model model;
};

extern Player gPlayer;

// The start line, facing along the track; applied once by the scene set-up.
void placePlayerOnStartLine(Player& player);

// The keyboard control step: reads the arrows and Space and moves the craft.
void stepKeyboard();

// Close to the wall the craft loses 4 % of its speed every frame.
void applyNearWallDrag();
