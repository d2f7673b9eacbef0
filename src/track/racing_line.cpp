#include "track/racing_line.h"

#include <algorithm>
#include <cmath>

namespace {
// Coarse strides first set the long bends, fine ones the short.
constexpr int STRIDES[] = {64, 32, 16, 8, 4, 2, 1};
constexpr int PULLS_PER_STRIDE = 60;

int wrap(int i) {
    return ((i % RACING_LINE_POINTS) + RACING_LINE_POINTS) % RACING_LINE_POINTS;
}

// One over the radius of the circle through three points; 0 when they line up.
double curvatureThrough(const RacingLinePoint& a, const RacingLinePoint& b,
                        const RacingLinePoint& c) {
    const double ab = std::hypot(b.x - a.x, b.z - a.z);
    const double bc = std::hypot(c.x - b.x, c.z - b.z);
    const double ca = std::hypot(a.x - c.x, a.z - c.z);
    const double twiceArea = std::fabs((b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x));
    const double product = ab * bc * ca;
    return product > 0.0 ? 2.0 * twiceArea / product : 0.0;
}
}  // namespace

std::vector<RacingLinePoint> racingLine(const Track& track) {
    std::vector<RacingLinePoint> line(RACING_LINE_POINTS);
    std::vector<double> centreX(RACING_LINE_POINTS);
    std::vector<double> centreZ(RACING_LINE_POINTS);
    for (int i = 0; i < RACING_LINE_POINTS; ++i) {
        line[i].t = TRACK_PERIOD * i / RACING_LINE_POINTS;
        track.centreXZ(line[i].t, centreX[i], centreZ[i]);
    }
    // Across the road: the centre line's direction turned a quarter.
    std::vector<double> acrossX(RACING_LINE_POINTS);
    std::vector<double> acrossZ(RACING_LINE_POINTS);
    for (int i = 0; i < RACING_LINE_POINTS; ++i) {
        const double dx = centreX[wrap(i + 1)] - centreX[wrap(i - 1)];
        const double dz = centreZ[wrap(i + 1)] - centreZ[wrap(i - 1)];
        const double length = std::hypot(dx, dz);
        acrossX[i] = length > 0.0 ? -dz / length : 0.0;
        acrossZ[i] = length > 0.0 ? dx / length : 0.0;
    }
    const double limit = RACING_LINE_ROAD_SHARE * track.halfWidth;
    auto place = [&](int i) {
        line[i].x = centreX[i] + line[i].offset * acrossX[i];
        line[i].z = centreZ[i] + line[i].offset * acrossZ[i];
    };
    for (int i = 0; i < RACING_LINE_POINTS; ++i) {
        place(i);
    }
    // Each point pulled toward the middle of its neighbours, as far as the
    // road lets it: the line straightens where it can.
    for (const int stride : STRIDES) {
        for (int pull = 0; pull < PULLS_PER_STRIDE; ++pull) {
            for (int i = 0; i < RACING_LINE_POINTS; ++i) {
                const RacingLinePoint& before = line[wrap(i - stride)];
                const RacingLinePoint& after = line[wrap(i + stride)];
                const double midX = 0.5 * (before.x + after.x);
                const double midZ = 0.5 * (before.z + after.z);
                const double shift =
                    (midX - line[i].x) * acrossX[i] + (midZ - line[i].z) * acrossZ[i];
                line[i].offset = std::clamp(line[i].offset + shift, -limit, limit);
                place(i);
            }
        }
    }
    for (int i = 0; i < RACING_LINE_POINTS; ++i) {
        const RacingLinePoint& next = line[wrap(i + 1)];
        line[i].length = std::hypot(next.x - line[i].x, next.z - line[i].z);
        line[i].curvature = curvatureThrough(line[wrap(i - 2)], line[i], line[wrap(i + 2)]);
    }
    return line;
}

int racingLineIndexAt(const std::vector<RacingLinePoint>& line, double t) {
    const double lap = std::fmod(t, TRACK_PERIOD);
    const double share = (lap < 0.0 ? lap + TRACK_PERIOD : lap) / TRACK_PERIOD;
    const int count = static_cast<int>(line.size());
    return static_cast<int>(std::lround(share * count)) % count;
}
