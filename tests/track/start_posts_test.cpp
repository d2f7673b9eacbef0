// The start posts of every circuit stand just off the road, one past each
// edge, on the start line the circuit's map draws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "track/circuit_generator.h"
#include "track/circuit_map.h"
#include "track/track.h"
#include "track/track_geometry.h"

namespace {

struct FlatPoint {
    double x;
    double z;
};

struct FlatLine {
    FlatPoint a;
    FlatPoint b;
};

FlatLine mapStartLine(const Track& track) {
    const std::string svg = circuitMapSvg(track);
    const size_t at = svg.find("<line id=\"start-line\"");
    FlatLine line{};
    if (at == std::string::npos ||
        std::sscanf(svg.c_str() + at,
                    "<line id=\"start-line\" x1=\"%lf\" y1=\"%lf\" x2=\"%lf\" y2=\"%lf\"",
                    &line.a.x, &line.a.z, &line.b.x, &line.b.z) != 4) {
        ADD_FAILURE() << "no start line on the map";
    }
    return line;
}

// Distance from p to the infinite line through the map's start line.
double offLine(const FlatLine& line, const Vector3& p) {
    const double dx = line.b.x - line.a.x;
    const double dz = line.b.z - line.a.z;
    return std::fabs((p.x - line.a.x) * dz - (p.z - line.a.z) * dx) / std::hypot(dx, dz);
}

// Nearest approach of p to the centre line, sampled finely round the lap.
double fromCentreLine(const Track& track, const Vector3& p) {
    constexpr int SAMPLES = 40000;
    double nearest = INFINITY;
    for (int i = 0; i < SAMPLES; ++i) {
        const double t = TRACK_PERIOD * i / SAMPLES;
        nearest = std::min(nearest, std::hypot(p.x - track.centreX(t), p.z - track.centreZ(t)));
    }
    return nearest;
}

// Where the segment from a to b crosses the centre line near the start, as
// its distance from the start point; INFINITY if it does not cross there.
double crossingFromStart(const Track& track, const Vector3& a, const Vector3& b) {
    const FlatPoint start{track.centreX(0.0), track.centreZ(0.0)};
    for (int i = -200; i < 200; ++i) {
        const double t0 = i * 0.0002;
        const double t1 = t0 + 0.0002;
        const FlatPoint p{track.centreX(t0), track.centreZ(t0)};
        const FlatPoint q{track.centreX(t1), track.centreZ(t1)};
        const double rx = b.x - a.x;
        const double rz = b.z - a.z;
        const double sx = q.x - p.x;
        const double sz = q.z - p.z;
        const double denom = rx * sz - rz * sx;
        if (denom == 0.0) {
            continue;
        }
        const double u = ((p.x - a.x) * sz - (p.z - a.z) * sx) / denom;
        const double v = ((p.x - a.x) * rz - (p.z - a.z) * rx) / denom;
        if (u >= 0.0 && u <= 1.0 && v >= 0.0 && v < 1.0) {
            return std::hypot(a.x + u * rx - start.x, a.z + u * rz - start.z);
        }
    }
    return INFINITY;
}

}  // namespace

TEST(StartPosts, OnEveryGrownCircuitStandJustOffTheRoadSquareAcrossTheMapsStartLine) {
    for (uint32_t number : {1u, 2u, 3u, 7u, 12u, 99u, 480u, 1000u, 4242u, 48213u, 65535u, 123456u,
                            987654u, 20260101u, 4294967295u}) {
        const Track track = growCircuit(number).track;
        const StartPosts posts = startPostPositions(track);
        const double w = track.halfWidth;
        for (const Vector3& post : {posts.a, posts.b}) {
            const double off = fromCentreLine(track, post);
            EXPECT_GT(off, w) << number << ": a post stands on the road";
            EXPECT_LT(off, w + START_POST_RADIUS / 2) << number << ": a post hides in the wall";
            EXPECT_LT(offLine(mapStartLine(track), post), 0.5) << number;
            EXPECT_EQ(post.y, track.centreY(0.0)) << number;
        }
        EXPECT_LT(crossingFromStart(track, posts.a, posts.b), 0.5) << number;
        // A stands on the left of travel: the map's start line runs left to right.
        const FlatLine line = mapStartLine(track);
        EXPECT_LT(std::hypot(posts.a.x - line.a.x, posts.a.z - line.a.z),
                  std::hypot(posts.b.x - line.a.x, posts.b.z - line.a.z))
            << number;
    }
}

TEST(StartPosts, OnTheClassicStayAtTheRoadsEdgesAHairOffSquare) {
    const Track classic = growCircuit(CLASSIC_CIRCUIT).track;
    const StartPosts posts = startPostPositions(classic);
    for (const Vector3& post : {posts.a, posts.b}) {
        EXPECT_NEAR(fromCentreLine(classic, post), classic.halfWidth, 1.0);
        // 24 units along travel over 600 across: about 2.3 degrees.
        EXPECT_NEAR(offLine(mapStartLine(classic), post), 24.0, 1.0);
    }
    EXPECT_LT(crossingFromStart(classic, posts.a, posts.b), 0.5);
}
