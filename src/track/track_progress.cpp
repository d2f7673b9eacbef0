#include <cmath>

#include "track/track.h"

namespace {
constexpr double INITIAL_BEST_DISTANCE = 999999.0;
constexpr double LOOK_AHEAD = 80.0;
constexpr double CHORD_HEIGHT = 40.0;
constexpr double AT_WALL_FACTOR = 0.95;
constexpr double NEAR_WALL_FACTOR = 0.8;
// Far above the rounding of a square (a few parts in 1e16), far below any
// real difference in distance.
constexpr double SQUARE_MARGIN = 1.0 + 1e-9;
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
    // A sample whose squared distance is surely past the best's square cannot
    // be nearer, so its square root is never taken; the rest are compared
    // exactly as distances, so the same sample wins as always.
    double skipAbove = best * best * SQUARE_MARGIN;
    for (size_t i = 0; i < locateSamples_.size(); ++i) {
        const Vector3& q = locateSamples_[i];
        const double dx = q.x - p.x;
        const double dy = q.y - p.y;
        const double dz = q.z - p.z;
        const double squared = dx * dx + dy * dy + dz * dz;
        if (squared > skipAbove) {
            continue;
        }
        const double d = std::sqrt(squared);
        if (d < best) {
            best = d;
            bestT = locateParameters_[i];
            skipAbove = best * best * SQUARE_MARGIN;
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
