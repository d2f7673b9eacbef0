#include "craft/player_control.h"

#include <algorithm>
#include <cmath>

#include "craft/opponent.h"
#include "craft/player.h"
#include "craft/projectile.h"
#include "track/track.h"

namespace {
constexpr float REVERSE_FLOOR = -0.5f;
constexpr double CONTACT_RANGE = 120.0;
constexpr double CONTACT_PUSH = 0.5;
constexpr double CONTACT_SLOW_DOWN = 0.0001;
constexpr double HIT_RANGE = 120.0;
constexpr float WALL_SPEED_CAP = 300.0f;
constexpr double PLAYER_FLYING_HEIGHT = 40.0;
constexpr double NEAR_WALL_DRAG = 0.96;

float keyAxis(bool positive, bool negative) {
    return (positive ? 1.0f : 0.0f) - (negative ? 1.0f : 0.0f);
}

void touchOpponents(Player& player, RaceSounds& sounds) {
    for (Opponent& opponent : gOpponents) {
        if (opponent.destroyed != 0) {
            continue;  // a wreck is out of the race: nothing touches it, not even the shot
        }
        if (player.position.distanceTo(opponent.position) < CONTACT_RANGE) {
            // Pushed away by half the gap; several contacts add up.
            player.velocity =
                player.velocity + (player.position - opponent.position) * CONTACT_PUSH;
            // Slowed, but never pushed into driving backwards.
            opponent.speed = std::max(0.0f, static_cast<float>(opponent.speed - CONTACT_SLOW_DOWN));
            sounds.crash = true;
        }
        // The whole stretch the shot flew this frame, not only where it landed:
        // at racing speed it moves far further than the hit distance.
        if (gProjectile.active != 0 &&
            gProjectile.distanceFlownPast(opponent.position) < HIT_RANGE) {
            opponent.destroyed = 1;
            sounds.crash = true;
            gProjectile.active = 0;
            gProjectile.life = 0;
        }
    }
}

void pushOffWall(Player& player, RaceSounds& sounds) {
    if (player.speed > WALL_SPEED_CAP) {
        player.speed = WALL_SPEED_CAP;
    }
    sounds.crash = true;
    if (player.next_dist > player.dist) {
        // Heading outward: this frame's move aims at the centre line just
        // ahead, so a craft held against the wall slides along it.
        const double p = player.lambda + gTrack.sampleStep;
        const Vector3 target(gTrack.centreX(p), PLAYER_FLYING_HEIGHT, gTrack.centreZ(p));
        Vector3 d = target - player.position;
        d.normalize();
        player.velocity.x = player.speed * d.x;
        player.velocity.z = player.speed * d.z;
    }
}
}  // namespace

void stepKeyboard(const KeyboardInput& keys, RaceSounds& sounds) {
    Player& player = gPlayer;

    player.throttle = keyAxis(keys.up, keys.down);
    if (player.throttle > 0.0f) {
        player.speed += CRAFT_THRUST;
    } else if (player.throttle < 0.0f) {
        player.speed -= CRAFT_BRAKE;
    }
    player.speed *= CRAFT_SPEED_DAMPING;
    if (player.speed < REVERSE_FLOOR) {
        player.speed = REVERSE_FLOOR;
    }
    sounds.engineStep = true;
    sounds.throttle = player.throttle;

    player.steer = keyAxis(keys.right, keys.left);
    if (player.steer > 0.0f) {
        player.yawRate += CRAFT_TURN_RATE;
    } else if (player.steer < 0.0f) {
        player.yawRate -= CRAFT_TURN_RATE;
    }
    if (player.yawRate > CRAFT_MAX_YAW_RATE) {
        player.yawRate = CRAFT_MAX_YAW_RATE;
    } else if (player.yawRate < -CRAFT_MAX_YAW_RATE) {
        player.yawRate = -CRAFT_MAX_YAW_RATE;
    }
    // Damped after the clamp, so the craft keeps turning briefly on release.
    player.yawRate *= CRAFT_YAW_DAMPING;
    player.yaw += player.yawRate;

    const double speed = static_cast<double>(player.speed);
    const double yaw = static_cast<double>(player.yaw);
    player.velocity = Vector3(speed * std::cos(yaw), 0.0, speed * std::sin(yaw));

    touchOpponents(player, sounds);
    if (gTrack.isAtWall(player.dist) != 0) {
        pushOffWall(player, sounds);
    }

    player.position.x += player.velocity.x;
    player.position.z += player.velocity.z;

    if (keys.space && gProjectile.active == 0) {
        gProjectile.launch(player);
        sounds.shot = true;
    }
}

void applyNearWallDrag() {
    if (gTrack.isNearWall(gPlayer.dist) != 0) {
        gPlayer.speed *= NEAR_WALL_DRAG;
    }
}
