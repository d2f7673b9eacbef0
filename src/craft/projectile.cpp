#include "craft/projectile.h"

#include <algorithm>
#include <cmath>

#include "craft/player.h"

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

double Projectile::distanceFlownPast(const Vector3& point) const {
    const Vector3 from = position - velocity;
    const Vector3 path = velocity;
    const double lengthSquared = path.lengthSquared();
    double along = 0.0;
    if (lengthSquared > 0.0) {
        const Vector3 w = point - from;
        along = (w.x * path.x + w.y * path.y + w.z * path.z) / lengthSquared;
        along = std::clamp(along, 0.0, 1.0);
    }
    return point.distanceTo(from + path * along);
}
