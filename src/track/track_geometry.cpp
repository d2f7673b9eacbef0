#include <cmath>

#include "track/track.h"
#include "track/track_geometry.h"

namespace {
// The start zone is drawn whatever the window: it joins the window across the
// start line, which the window itself never wraps over.
constexpr double START_ZONE_AHEAD = 0.3;
constexpr double START_ZONE_BEHIND = TRACK_PERIOD - 0.1;

struct CurvePoint {
    double x;
    double z;
    double c;  // cos of the heading
    double s;  // sin of the heading
};

CurvePoint curvePoint(const Track& track, double t) {
    const double h = track.heading(t);
    return {track.centreX(t), track.centreZ(t), std::cos(h), std::sin(h)};
}

// A point `offset` to the left of travel (negative: to the right) at height y.
Vector3 across(const CurvePoint& p, double offset, double y) {
    return {p.x + offset * p.c, y, p.z - offset * p.s};
}
}  // namespace

std::vector<TrackSegment> visibleSegments(const Track& track, double lambda) {
    const double lo = lambda - TRACK_WINDOW_BEHIND;
    const double hi = lambda + TRACK_WINDOW_AHEAD;
    std::vector<TrackSegment> segments;
    segments.reserve(80);
    int index = 0;
    for (double t = 0.0; t < TRACK_PERIOD; ++index) {
        const double next = t + track.sampleStep;
        // The curve runs on past the start point at the end of the lap, so the
        // last segment stops where the first begins instead of lying under it.
        const double farEnd = next < TRACK_PERIOD ? next : 0.0;
        if ((lo < t && t < hi) || t < START_ZONE_AHEAD || t > START_ZONE_BEHIND) {
            segments.push_back({index, t, farEnd});
        }
        t = next;
    }
    return segments;
}

SegmentCorners segmentCorners(const Track& track, const TrackSegment& segment) {
    const CurvePoint near = curvePoint(track, segment.t);
    const CurvePoint far = curvePoint(track, segment.tNext);
    const double edge = static_cast<double>(track.halfWidth);
    const double top = edge + WALL_LEAN;
    SegmentCorners k;
    k.nearLeft = across(near, edge, ROAD_LEVEL);
    k.nearRight = across(near, -edge, ROAD_LEVEL);
    k.farRight = across(far, -edge, ROAD_LEVEL);
    k.farLeft = across(far, edge, ROAD_LEVEL);
    k.rightTopNear = across(near, -top, WALL_HEIGHT);
    k.rightTopFar = across(far, -top, WALL_HEIGHT);
    k.leftTopNear = across(near, top, WALL_HEIGHT);
    k.leftTopFar = across(far, top, WALL_HEIGHT);
    return k;
}

StartPosts startPostPositions(const Track& track) {
    const CurvePoint p = curvePoint(track, 0.0);
    const double y = track.centreY(0.0);
    const double w = static_cast<double>(track.halfWidth);
    if (track.circuitNumber() == CLASSIC_CIRCUIT) {
        // The classic's posts keep their old place: offset along (cos h, 0, sin h),
        // which its start heading of nearly -x turns into a hair off square, about
        // 24 units along x from the road edges.
        return {{p.x - w * p.c, y, p.z - w * p.s}, {p.x + w * p.c, y, p.z + w * p.s}};
    }
    // Any other heading would swing that offset onto the road, so a grown
    // circuit's posts stand on the start line itself, just past each edge.
    const double out = w + START_POST_CLEARANCE;
    return {across(p, out, y), across(p, -out, y)};
}

int markerSphereDetail(float distance) {
    // Each band runs up to its limit, so no distance between bands loses the post.
    if (distance < 2000.0f) {
        return 12;
    }
    if (distance < 5000.0f) {
        return 8;
    }
    if (distance < 10000.0f) {
        return 6;
    }
    if (distance < 20000.0f) {
        return 4;
    }
    return 0;
}
