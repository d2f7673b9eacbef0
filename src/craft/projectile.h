#pragma once

#include <cstdint>

#include "math/vector3.h"

struct Player;

// The player's single glowing shot.
struct Projectile {
    Vector3 position;
    Vector3 velocity;  // only x and z are ever set
    int32_t life = 0;
    int32_t active = 0;

    // Fires straight ahead from the craft at its speed plus 100 per frame.
    void launch(const Player& player);
    // Moves the shot one frame; it expires after 100.
    void update();
    // Distance from point to the stretch the shot flew in its last move.
    double distanceFlownPast(const Vector3& point) const;
    // A red and a blue flare crossed at right angles, spinning with the frame counter.
    void draw() const;
};

extern Projectile gProjectile;
