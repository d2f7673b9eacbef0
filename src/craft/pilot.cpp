#include "craft/pilot.h"

#include <algorithm>
#include <cmath>

#include "craft/player_control.h"

namespace {
// The turn the pilot asks of the craft, as a share of the yaw rate it holds
// with the key held down: the rest is kept for putting the line right.
constexpr double TURN_SHARE = 0.97;
// The braking it plans with, as a share of what the brake gives.
constexpr double BRAKE_SHARE = 0.95;
// The craft flat out: thrust and damping in balance.
constexpr double TOP_SPEED = CRAFT_THRUST * CRAFT_SPEED_DAMPING / (1.0 - CRAFT_SPEED_DAMPING);
// How far ahead it aims: farther the faster it flies, as the craft takes
// some ten frames to swing into a turn.
constexpr double AIM_BASE = 1200.0;
constexpr double AIM_FRAMES = 12.0;
// Points searched either side of where the craft's progress puts it.
constexpr int NEAREST_SEARCH = 12;

double heldYawRate() {
    // Held down, the steering settles where the damping takes back what it adds.
    return CRAFT_TURN_RATE * CRAFT_YAW_DAMPING / (1.0 - CRAFT_YAW_DAMPING);
}

std::vector<double> planSpeeds(const std::vector<RacingLinePoint>& line) {
    const int count = static_cast<int>(line.size());
    std::vector<double> speeds(line.size());
    const double turn = TURN_SHARE * heldYawRate();
    for (int i = 0; i < count; ++i) {
        speeds[i] =
            line[i].curvature > 0.0 ? std::min(TOP_SPEED, turn / line[i].curvature) : TOP_SPEED;
    }
    // Backwards round the lap twice, so a turn just past the line slows the
    // straight before it: v^2 falls by twice the braking per unit flown.
    const double braking = 2.0 * BRAKE_SHARE * CRAFT_BRAKE;
    for (int pass = 0; pass < 2 * count; ++pass) {
        const int i = count - 1 - pass % count;
        const int next = (i + 1) % count;
        const double reachable = std::sqrt(speeds[next] * speeds[next] + braking * line[i].length);
        speeds[i] = std::min(speeds[i], reachable);
    }
    return speeds;
}

// The yaw rate the control step would leave after steering one way.
double yawRateAfter(double yawRate, double steer) {
    const double limit = static_cast<double>(CRAFT_MAX_YAW_RATE);
    return std::clamp(yawRate + steer * CRAFT_TURN_RATE, -limit, limit) * CRAFT_YAW_DAMPING;
}
}  // namespace

Pilot::Pilot(const Track& track) : line_(racingLine(track)), plannedSpeeds_(planSpeeds(line_)) {}

int Pilot::nearestPoint(const Player& craft) const {
    const int count = static_cast<int>(line_.size());
    const int guess = racingLineIndexAt(line_, craft.lambda);
    int best = guess;
    double bestDistance = INFINITY;
    for (int step = -NEAREST_SEARCH; step <= NEAREST_SEARCH; ++step) {
        const int i = ((guess + step) % count + count) % count;
        const double d = std::hypot(line_[i].x - craft.position.x, line_[i].z - craft.position.z);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

KeyboardInput Pilot::keys(const Player& craft) const {
    const int count = static_cast<int>(line_.size());
    const int here = nearestPoint(craft);
    const double speed = static_cast<double>(craft.speed);

    // Aim at the line a little ahead, farther at speed.
    const double aim = AIM_BASE + AIM_FRAMES * std::max(0.0, speed);
    int target = here;
    double dx = 0.0;
    double dz = 0.0;
    for (int step = 0; step < count; ++step) {
        target = (target + 1) % count;
        dx = line_[target].x - craft.position.x;
        dz = line_[target].z - craft.position.z;
        if (std::hypot(dx, dz) >= aim) {
            break;
        }
    }
    // The arc through the aim point: the yaw rate that flies it at this speed.
    const double off =
        std::remainder(std::atan2(dz, dx) - static_cast<double>(craft.yaw), 2.0 * GAME_PI);
    const double wanted = 2.0 * std::max(speed, 1.0) * std::sin(off) / std::hypot(dx, dz);
    const double yawRate = static_cast<double>(craft.yawRate);
    double bestSteer = 0.0;
    double bestMiss = std::fabs(yawRateAfter(yawRate, 0.0) - wanted);
    for (const double steer : {-1.0, 1.0}) {
        const double miss = std::fabs(yawRateAfter(yawRate, steer) - wanted);
        if (miss < bestMiss) {
            bestMiss = miss;
            bestSteer = steer;
        }
    }

    // The slowest the plan asks for over the next two frames of flight.
    double allowed = plannedSpeeds_[here];
    double flown = 0.0;
    for (int i = here, seen = 0; flown < 2.0 * speed && seen < count; i = (i + 1) % count, ++seen) {
        allowed = std::min(allowed, plannedSpeeds_[i]);
        flown += line_[i].length;
    }

    KeyboardInput keys;
    keys.left = bestSteer < 0.0;
    keys.right = bestSteer > 0.0;
    keys.up = speed + CRAFT_THRUST <= allowed;
    keys.down = speed > allowed + 1.0;
    return keys;
}
