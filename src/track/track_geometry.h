#pragma once

#include <vector>

#include "math/vector3.h"

class Track;

// Height of the road surface and of the feet of both walls.
constexpr double ROAD_LEVEL = -2.0;
// Height of the walls' top edge.
constexpr double WALL_HEIGHT = 300.0;
// How much further out than its foot a wall's top edge lies.
constexpr double WALL_LEAN = 100.0;
constexpr float START_POST_RADIUS = 100.0f;
// How far past the road's edge a grown circuit's post is centred: out of the
// road, yet near enough the wall's foot that half the dome shows.
constexpr double START_POST_CLEARANCE = 25.0;

// How far behind and ahead of the player's parameter the road is built.
constexpr double TRACK_WINDOW_BEHIND = 0.1;
constexpr double TRACK_WINDOW_AHEAD = 0.3;

// One piece of road between two consecutive curve parameters.
struct TrackSegment {
    int index;
    double t;      // near end
    double tNext;  // far end: the very value the next segment starts from (0 after the last)
};

// The segments drawn this frame: the window around lambda plus the start
// zone on both sides of the start line, in lap order, each at most once.
std::vector<TrackSegment> visibleSegments(const Track& track, double lambda);

// The eight corners of a segment's road and two walls.
struct SegmentCorners {
    Vector3 nearLeft;
    Vector3 nearRight;
    Vector3 farRight;
    Vector3 farLeft;
    Vector3 rightTopNear;
    Vector3 rightTopFar;
    Vector3 leftTopNear;
    Vector3 leftTopFar;
};

SegmentCorners segmentCorners(const Track& track, const TrackSegment& segment);

// The two white posts that mark the start line, at the centre line's height:
// A on the left of travel, B on the right.
struct StartPosts {
    Vector3 a;
    Vector3 b;
};

StartPosts startPostPositions(const Track& track);

// Slices (and as many stacks) of a start post seen from distance; 0 when it is
// too far to draw at all.
int markerSphereDetail(float distance);
