#include "race/projectile.h"

#include <cmath>

#include "race/player.h"

Projectile gProjectile;

namespace {
constexpr double SHOT_SPEED = 100.0;
constexpr int32_t SHOT_LIFE = 100;
}  // namespace

void Projectile::launch(const Player& player) {
    position = player.position;
    // Straight ahead; the shot never follows the craft after this.
    const double s = static_cast<double>(player.speed) + SHOT_SPEED;
    const double a = static_cast<double>(player.yaw);
    velocity.x = s * std::cos(a);
    velocity.z = s * std::sin(a);
    active = 1;
    life = SHOT_LIFE;
}

void Projectile::update() {
    if (active == 0) {
        return;
    }
    position.x += velocity.x;
    position.z += velocity.z;
    life -= 1;
    if (life == 0) {
        active = 0;
        life = SHOT_LIFE;
    }
}
