// craft: the player's and the opponents' craft, how they move, the shot and the exhaust glow.
#pragma once

#include <cstdint>

#include "math/vector3.h"
#include "models/model.h"

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

// The driving keys as the control step reads them: the arrows and Space.
struct KeyboardInput {
    bool up = false;
    bool down = false;
    bool left = false;
    bool right = false;
    bool space = false;
};

// What a control step asks of the sound, played after it in this order.
struct RaceSounds {
    bool engineStep = false;  // the engine follows the throttle one notch
    float throttle = 0.0f;
    bool crash = false;
    bool shot = false;
};

// The start line, facing along the track, at rest.
void placePlayerOnStartLine(Player& player);

// At rest on the centre line at track parameter t, facing along the track,
// its place on the track found there as if it had flown in. Its laps stay as
// they were: a craft put down is no crossing of the line.
void placePlayerOnTrack(Player& player, double t);

// Finds where the craft is along the track (lambda, dist, next_dist) and
// counts its crossings of the start line in laps; returns the new lambda.
double updatePlayerProgress(Player& player);
