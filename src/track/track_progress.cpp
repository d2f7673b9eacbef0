#include <cmath>

#include "race/player.h"
#include "track/track.h"

namespace {
constexpr double INITIAL_BEST_DISTANCE = 999999.0;
constexpr double LOOK_AHEAD = 80.0;
constexpr double CHORD_HEIGHT = 40.0;
constexpr double AT_WALL_FACTOR = 0.95;
constexpr double NEAR_WALL_FACTOR = 0.8;
}  // namespace

double Track::updatePlayerProgress() const {
    Player& player = gPlayer;
    const Vector3 p = player.position;

    // The whole lap every frame: cheap enough, and it can never lose the craft.
    double best = INITIAL_BEST_DISTANCE;
    double bestT = 0.0;
    for (double t = 0.0; t < TRACK_PERIOD; t += PROGRESS_STEP) {
        const Vector3 sample(centreX(t), centreY(t), centreZ(t));
        const double d = p.distanceTo(sample);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    // No craft covers half a lap in a frame: a jump that large is the start line.
    const double jump = bestT - player.lambda;
    if (jump < -TRACK_PERIOD / 2.0) {
        player.laps += 1;
    } else if (jump > TRACK_PERIOD / 2.0) {
        player.laps -= 1;
    }
    player.lambda = bestT;

    // dist is taken from a short chord, not the curve: about 3.75 on the start point.
    const double before = player.lambda - PROGRESS_STEP;
    const double after = player.lambda + PROGRESS_STEP;
    const Vector3 a(centreX(before), CHORD_HEIGHT, centreZ(before));
    const Vector3 b(centreX(after), CHORD_HEIGHT, centreZ(after));
    player.dist = p.distanceToLine(a, b);

    const double yaw = static_cast<double>(player.yaw);
    const Vector3 ahead(p.x + LOOK_AHEAD * std::cos(yaw), p.y, p.z + LOOK_AHEAD * std::sin(yaw));
    player.next_dist = ahead.distanceToLine(a, b);
    return player.lambda;
}

double Track::nearestParameter(Vector3 position) const {
    double best = INITIAL_BEST_DISTANCE;
    double bestT = 0.0;
    for (double t = 0.0; t < TRACK_PERIOD; t += sampleStep) {
        const Vector3 sample(centreX(t), CHORD_HEIGHT, centreZ(t));
        const double d = position.distanceTo(sample);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    return bestT;
}

int Track::isAtWall() const {
    return gPlayer.dist > static_cast<double>(halfWidth) * AT_WALL_FACTOR ? 1 : 0;
}

int Track::isNearWall() const {
    return gPlayer.dist > static_cast<double>(halfWidth) * NEAR_WALL_FACTOR ? 1 : 0;
}
