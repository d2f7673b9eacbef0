#include "track/circuit_check.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {
constexpr bool IgnoringClearance = true;

// Points round the lap: about 600 units apart on the longest lap allowed.
constexpr int SAMPLES = 4096;
constexpr double DEGREES_PER_RADIAN = 180.0 / 3.141592653589793;

struct Point {
    double x;
    double z;
};

// sqrt rather than hypot: the coordinates are far from overflowing, and this
// runs millions of times a circuit.
double distance(const Point& a, const Point& b) {
    const double dx = a.x - b.x;
    const double dz = a.z - b.z;
    return std::sqrt(dx * dx + dz * dz);
}

double distanceToSegment(const Point& p, const Point& a, const Point& b) {
    const double dx = b.x - a.x;
    const double dz = b.z - a.z;
    const double lengthSquared = dx * dx + dz * dz;
    double along =
        lengthSquared > 0.0 ? ((p.x - a.x) * dx + (p.z - a.z) * dz) / lengthSquared : 0.0;
    along = std::clamp(along, 0.0, 1.0);
    return distance(p, {a.x + along * dx, a.z + along * dz});
}

// The radius of the circle through three points; infinite when they line up.
double turnRadius(const Point& a, const Point& b, const Point& c) {
    const double twiceArea = std::fabs((b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x));
    if (twiceArea == 0.0) {
        return INFINITY;
    }
    return distance(a, b) * distance(b, c) * distance(c, a) / (2.0 * twiceArea);
}

// How far apart two samples are round the lap, in samples, whichever way round
// is shorter: a share of the lap's parameter, as the race counts laps.
int lapSeparation(int i, int j) {
    const int along = i > j ? i - j : j - i;
    return std::min(along, SAMPLES - along);
}

// Closest approach of a point to a stretch of the lap far from it along the
// lap. Points are swept in order of x, so only near neighbours are compared.
// Looked for only up to bound: anything farther gives bound.
double clearance(const std::vector<Point>& p, double bound) {
    const int n = SAMPLES;
    std::vector<int> byX(static_cast<size_t>(n));
    std::iota(byX.begin(), byX.end(), 0);
    std::sort(byX.begin(), byX.end(), [&p](int a, int b) { return p[a].x < p[b].x; });
    const int farApart = static_cast<int>(CLEARANCE_LAP_FRACTION * SAMPLES);
    double best = bound;
    for (size_t first = 0; first < byX.size(); ++first) {
        const int i = byX[first];
        for (size_t second = first + 1; second < byX.size(); ++second) {
            const int j = byX[second];
            if (p[j].x - p[i].x >= best) {
                break;
            }
            if (std::fabs(p[j].z - p[i].z) >= best || lapSeparation(i, j) <= farApart) {
                continue;
            }
            // The stretches either side of j, so the sampling cannot hide a closer pass.
            const Point& before = p[static_cast<size_t>((j + n - 1) % n)];
            const Point& after = p[static_cast<size_t>((j + 1) % n)];
            best = std::min({best, distanceToSegment(p[i], before, p[j]),
                             distanceToSegment(p[i], p[j], after)});
        }
    }
    return best;
}

// How far the heading turns along the stretch either side of the start line.
double startTurn(const std::vector<Point>& p) {
    const int reach = static_cast<int>(START_STRAIGHT_LAP_FRACTION * SAMPLES);
    const auto headingAt = [&p](int i) {
        const Point& a = p[static_cast<size_t>((i + SAMPLES) % SAMPLES)];
        const Point& b = p[static_cast<size_t>((i + 1 + SAMPLES) % SAMPLES)];
        return std::atan2(b.x - a.x, b.z - a.z);
    };
    double previous = headingAt(0);
    double turned = 0.0;
    double least = 0.0;
    double most = 0.0;
    // Forwards from the line, then backwards, following the heading without wrapping.
    for (int direction : {1, -1}) {
        previous = headingAt(0);
        turned = 0.0;
        for (int step = 1; step <= reach; ++step) {
            const int i = direction > 0 ? step : -step;
            const double heading = headingAt(i);
            turned += std::remainder(heading - previous, 2.0 * 3.141592653589793);
            previous = heading;
            least = std::min(least, turned);
            most = std::max(most, turned);
        }
    }
    return (most - least) * DEGREES_PER_RADIAN;
}
}  // namespace

CircuitFigures measureCircuit(const Track& track, bool quick) {
    std::vector<Point> p(SAMPLES);
    for (int i = 0; i < SAMPLES; ++i) {
        const double t = TRACK_PERIOD * i / SAMPLES;
        Point& point = p[static_cast<size_t>(i)];
        track.centreXZ(t, point.x, point.z);
    }
    Point end{0.0, 0.0};
    track.centreXZ(TRACK_PERIOD, end.x, end.z);
    CircuitFigures figures;
    for (int i = 1; i < SAMPLES; ++i) {
        figures.lapLength += distance(p[static_cast<size_t>(i - 1)], p[static_cast<size_t>(i)]);
    }
    figures.lapLength += distance(p.back(), end);
    for (const Point& point : p) {
        figures.reach = std::max({figures.reach, std::fabs(point.x), std::fabs(point.z)});
    }
    figures.closingGap = distance(end, p[0]);
    figures.tightestRadius = INFINITY;
    // An open curve (the classic's) has no turn where its end jumps to its start.
    const bool closed = figures.closingGap < 1.0;
    for (int i = closed ? 0 : 1; i < (closed ? SAMPLES : SAMPLES - 1); ++i) {
        figures.tightestRadius = std::min(
            figures.tightestRadius,
            turnRadius(p[static_cast<size_t>((i + SAMPLES - 1) % SAMPLES)],
                       p[static_cast<size_t>(i)], p[static_cast<size_t>((i + 1) % SAMPLES)]));
    }
    figures.startTurnDegrees = startTurn(p);
    // The costliest figure last: a quick measure looks only as far as the rule
    // needs, and not at all for a circuit that already breaks another rule.
    if (!quick) {
        figures.clearance = clearance(p, CLEARANCE_SEARCH);
    } else if (keepsTheRules(figures, IgnoringClearance)) {
        figures.clearance = clearance(p, MIN_CLEARANCE);
    }
    return figures;
}

bool keepsTheRules(const CircuitFigures& f, bool ignoringClearance) {
    return (ignoringClearance || f.clearance >= MIN_CLEARANCE) &&
           f.tightestRadius >= MIN_TURN_RADIUS && f.startTurnDegrees < MAX_START_TURN_DEGREES &&
           f.lapLength >= MIN_LAP_LENGTH && f.lapLength <= MAX_LAP_LENGTH && f.reach <= MAX_REACH &&
           f.closingGap < 1.0;
}
