#include <cmath>
#include <utility>
#include <vector>

#include "track/sample_grid.h"
#include "track/track.h"

namespace {
constexpr double LOOK_AHEAD = 80.0;
constexpr double CHORD_HEIGHT = 40.0;
constexpr double AT_WALL_FACTOR = 0.95;
constexpr double NEAR_WALL_FACTOR = 0.8;
}  // namespace

void Track::sampleForLocate() {
    locateParameters_.clear();
    std::vector<Vector3> samples;
    // The grid is stepped by adding, as the search has always walked it.
    for (double t = 0.0; t < TRACK_PERIOD; t += PROGRESS_STEP) {
        locateParameters_.push_back(t);
        double x = 0.0;
        double z = 0.0;
        centreXZ(t, x, z);
        samples.emplace_back(x, centreY(t), z);
    }
    locateGrid_ = SampleGrid(std::move(samples));
}

TrackPlace Track::locate(const Vector3& p, float yawOfCraft) const {
    // Measuring the whole lap took most of a tick; the grid finds the same
    // sample, bit for bit, so every kept replay still runs as it was raced.
    return placeBy(locateGrid_.nearest(p), p, yawOfCraft);
}

TrackPlace Track::locateByFullScan(const Vector3& p, float yawOfCraft) const {
    return placeBy(nearestSampleByFullScan(locateGrid_.samples(), p), p, yawOfCraft);
}

TrackPlace Track::placeBy(size_t sample, const Vector3& p, float yawOfCraft) const {
    TrackPlace place;
    place.lambda = sample == NO_SAMPLE ? 0.0 : locateParameters_[sample];

    // dist is taken from a short chord, not the curve: about 3.75 on the start point.
    const double before = place.lambda - PROGRESS_STEP;
    const double after = place.lambda + PROGRESS_STEP;
    Vector3 a(0.0, CHORD_HEIGHT, 0.0);
    Vector3 b(0.0, CHORD_HEIGHT, 0.0);
    centreXZ(before, a.x, a.z);
    centreXZ(after, b.x, b.z);
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
