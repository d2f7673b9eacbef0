#include <cmath>

#include "track/track.h"

namespace {
constexpr double INITIAL_BEST_DISTANCE = 999999.0;
constexpr double LOOK_AHEAD = 80.0;
constexpr double CHORD_HEIGHT = 40.0;
constexpr double AT_WALL_FACTOR = 0.95;
constexpr double NEAR_WALL_FACTOR = 0.8;
}  // namespace

void Track::sampleForLocate() {
    locateParameters_.clear();
    locateSamples_.clear();
    // The grid is stepped by adding, as the search has always walked it.
    for (double t = 0.0; t < TRACK_PERIOD; t += PROGRESS_STEP) {
        locateParameters_.push_back(t);
        double x = 0.0;
        double z = 0.0;
        centreXZ(t, x, z);
        locateSamples_.emplace_back(x, centreY(t), z);
    }
}

TrackPlace Track::locate(const Vector3& p, float yawOfCraft) const {
    // The whole lap every frame: cheap enough, and it can never lose the craft.
    double best = INITIAL_BEST_DISTANCE;
    double bestT = 0.0;
    for (size_t i = 0; i < locateSamples_.size(); ++i) {
        const double d = p.distanceTo(locateSamples_[i]);
        if (d < best) {
            best = d;
            bestT = locateParameters_[i];
        }
    }
    TrackPlace place;
    place.lambda = bestT;

    // dist is taken from a short chord, not the curve: about 3.75 on the start point.
    const double before = place.lambda - PROGRESS_STEP;
    const double after = place.lambda + PROGRESS_STEP;
    const Vector3 a(centreX(before), CHORD_HEIGHT, centreZ(before));
    const Vector3 b(centreX(after), CHORD_HEIGHT, centreZ(after));
    place.dist = p.distanceToLine(a, b);

    const double yaw = static_cast<double>(yawOfCraft);
    const Vector3 ahead(p.x + LOOK_AHEAD * std::cos(yaw), p.y, p.z + LOOK_AHEAD * std::sin(yaw));
    place.next_dist = ahead.distanceToLine(a, b);
    return place;
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

int Track::isAtWall(double dist) const {
    return dist > static_cast<double>(halfWidth) * AT_WALL_FACTOR ? 1 : 0;
}

int Track::isNearWall(double dist) const {
    return dist > static_cast<double>(halfWidth) * NEAR_WALL_FACTOR ? 1 : 0;
}
