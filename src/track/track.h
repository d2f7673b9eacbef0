#pragma once

#include <cstdint>

#include "math/vector3.h"

// One lap of the track parameter: 2 x 3.141592, a hair short of 2 pi.
constexpr double TRACK_PERIOD = 6.283184;
// Parameter offset of the forward difference that gives the heading.
constexpr double HEADING_DELTA = 0.01;
// The game's pi, used for every radians-to-degrees conversion.
constexpr double GAME_PI = 3.141592;
// Grid of the player's nearest-sample search, and half the chord behind dist.
constexpr double PROGRESS_STEP = 0.005;

// The race track: a closed trigonometric centre line in the plane y = 0.
// Everything else about the track (road, walls, progress) derives from it.
class Track {
public:
    int32_t radius = 300000;
    int32_t halfWidth = 600;
    double sampleStep = TRACK_PERIOD / 604;

    // The centre line at parameter t; no wrapping, any t is accepted.
    double centreX(double t) const;
    double centreY(double t) const;
    double centreZ(double t) const;
    // Direction of travel as atan2(dx, dz): forward is (sin h, 0, cos h).
    double heading(double t) const;

    // Finds the player's lambda, dist and next_dist (written into gPlayer)
    // by a full-lap search, and counts its crossings of the start line in
    // gPlayer.laps; returns the new lambda.
    double updatePlayerProgress() const;
    // Parameter of the nearest sample on the coarse sampleStep grid.
    double nearestParameter(Vector3 position) const;
    // Wall tests on the player's last computed dist: beyond 570 and 480.
    int isAtWall() const;
    int isNearWall() const;
    // Rebuilds the road and walls around the player's craft and draws them,
    // with the start posts; nothing is kept between frames.
    void draw() const;
};

extern Track gTrack;
