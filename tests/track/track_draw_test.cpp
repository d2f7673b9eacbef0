#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "track/track.h"
#include "track/track_geometry.h"

namespace {

std::vector<int> indicesAt(double lambda) {
    std::vector<int> indices;
    for (const TrackSegment& s : visibleSegments(gTrack, lambda)) {
        indices.push_back(s.index);
    }
    return indices;
}

std::vector<int> range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i) {
        r.push_back(i);
    }
    return r;
}

std::vector<int> join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

double flatDistance(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.z - b.z);
}

}  // namespace

TEST(TrackWindow, AtTheStartOnlyTheStartZoneIsBuilt) {
    EXPECT_EQ(indicesAt(0.0), join(range(0, 28), range(595, 603)));
}

TEST(TrackWindow, MidLapTheWindowAndTheStartZoneGiveTheMostSegments) {
    const auto segments = visibleSegments(gTrack, 3.0);
    ASSERT_EQ(segments.size(), 77u);
    for (const TrackSegment& s : segments) {
        const bool inWindow = s.t > 2.9 && s.t < 3.3;
        const bool inStartZone = s.t < 0.3 || s.t > TRACK_PERIOD - 0.1;
        EXPECT_TRUE(inWindow || inStartZone) << "segment " << s.index;
    }
}

TEST(TrackWindow, NearTheEndOfTheLapTheStartZoneCarriesOnPastTheLine) {
    EXPECT_EQ(indicesAt(6.25), join(range(0, 28), range(592, 603)));
}

TEST(TrackWindow, TheCraftsOwnSegmentIsAlwaysDrawnAndNoneTwice) {
    for (int step = 0; step < 628; ++step) {
        const double lambda = step * 0.01;
        const auto segments = visibleSegments(gTrack, lambda);
        EXPECT_LE(segments.size(), 77u);
        std::set<int> seen;
        bool holdsCraft = false;
        for (const TrackSegment& s : segments) {
            EXPECT_TRUE(seen.insert(s.index).second) << "lambda " << lambda;
            holdsCraft |= s.t <= lambda && lambda < s.tNext;
        }
        EXPECT_TRUE(holdsCraft) << "lambda " << lambda;
    }
}

TEST(TrackWindow, TheLapIsCutInto604SegmentsTheLastEndingWhereTheFirstBegins) {
    const auto segments = visibleSegments(gTrack, 6.25);
    const TrackSegment& last = segments.back();
    EXPECT_EQ(last.index, 603);
    EXPECT_LT(last.t, TRACK_PERIOD);
    EXPECT_NEAR(last.t, 6.2727814, 1e-6);
    EXPECT_EQ(last.tNext, segments.front().t);
    EXPECT_EQ(segments.front().t, 0.0);
}

TEST(TrackGeometry, NeighbouringSegmentsShareTheirEdgesExactly) {
    for (double lambda : {0.0, 1.7, 3.0, 6.25}) {
        const auto segments = visibleSegments(gTrack, lambda);
        for (size_t i = 0; i + 1 < segments.size(); ++i) {
            if (segments[i + 1].index != segments[i].index + 1) {
                continue;
            }
            const SegmentCorners a = segmentCorners(gTrack, segments[i]);
            const SegmentCorners b = segmentCorners(gTrack, segments[i + 1]);
            EXPECT_EQ(a.farLeft, b.nearLeft);
            EXPECT_EQ(a.farRight, b.nearRight);
            EXPECT_EQ(a.rightTopFar, b.rightTopNear);
            EXPECT_EQ(a.leftTopFar, b.leftTopNear);
        }
    }
}

TEST(TrackGeometry, TheLapClosesOnTheStartLineWithoutTheRoadDoubling) {
    const auto segments = visibleSegments(gTrack, 0.0);
    const SegmentCorners first = segmentCorners(gTrack, segments.front());
    const SegmentCorners last = segmentCorners(gTrack, segments.back());
    ASSERT_EQ(segments.back().index, 603);
    EXPECT_EQ(last.farLeft, first.nearLeft);
    EXPECT_EQ(last.farRight, first.nearRight);
    EXPECT_EQ(last.rightTopFar, first.rightTopNear);
    EXPECT_EQ(last.leftTopFar, first.leftTopNear);
    // The whole last segment lies before the line, seen along the direction of travel.
    const double h = gTrack.heading(0.0);
    const Vector3 forward(std::sin(h), 0.0, std::cos(h));
    const Vector3 line(gTrack.centreX(0.0), -2.0, gTrack.centreZ(0.0));
    const auto along = [&](const Vector3& p) {
        const Vector3 d = p - line;
        return d.x * forward.x + d.z * forward.z;
    };
    EXPECT_LT(along(last.nearLeft), -1000.0);
    EXPECT_LT(along(last.nearRight), -1000.0);
    EXPECT_NEAR(along(last.farLeft), 0.0, 1e-6);
    EXPECT_NEAR(along(last.farRight), 0.0, 1e-6);
}

TEST(TrackGeometry, RoadIs1200WideWithWallsLeaningOutTo700) {
    for (const TrackSegment& s : visibleSegments(gTrack, 3.0)) {
        const SegmentCorners k = segmentCorners(gTrack, s);
        const Vector3 centre(gTrack.centreX(s.t), 0.0, gTrack.centreZ(s.t));
        EXPECT_EQ(k.nearLeft.y, -2.0);
        EXPECT_EQ(k.farRight.y, -2.0);
        EXPECT_EQ(k.leftTopNear.y, 300.0);
        EXPECT_EQ(k.rightTopFar.y, 300.0);
        EXPECT_NEAR(flatDistance(k.nearLeft, k.nearRight), 1200.0, 1e-6);
        EXPECT_NEAR(flatDistance(centre, k.nearLeft), 600.0, 1e-6);
        EXPECT_NEAR(flatDistance(centre, k.leftTopNear), 700.0, 1e-6);
        EXPECT_NEAR(flatDistance(centre, k.rightTopNear), 700.0, 1e-6);
        // Each wall's top lies straight out from its foot, away from the road.
        EXPECT_NEAR(flatDistance(k.nearLeft, k.leftTopNear), 100.0, 1e-6);
        EXPECT_NEAR(flatDistance(k.nearRight, k.leftTopNear), 1300.0, 1e-6);
    }
}

TEST(TrackGeometry, LeftEdgeLiesToTheLeftOfTravel) {
    for (double t : {0.0, 1.0, 2.5, 4.0, 5.5}) {
        const SegmentCorners k = segmentCorners(gTrack, {0, t, t + gTrack.sampleStep});
        const double h = gTrack.heading(t);
        const Vector3 forward(std::sin(h), 0.0, std::cos(h));
        const Vector3 left = Vector3(0.0, 1.0, 0.0).cross(forward);
        const Vector3 out = k.nearLeft - Vector3(gTrack.centreX(t), -2.0, gTrack.centreZ(t));
        EXPECT_NEAR(out.x, 600.0 * left.x, 1e-6) << t;
        EXPECT_NEAR(out.z, 600.0 * left.z, 1e-6) << t;
    }
}

TEST(StartPosts, StandOnTheStartLineHalfSunkAndAcrossTheRoad) {
    const StartPosts posts = startPostPositions(gTrack);
    EXPECT_EQ(posts.a.y, 0.0);
    EXPECT_EQ(posts.b.y, 0.0);
    EXPECT_NEAR(posts.a.distanceTo(posts.b), 1200.0, 1e-6);
    const Vector3 start(gTrack.centreX(0.0), 0.0, gTrack.centreZ(0.0));
    EXPECT_NEAR(((posts.a + posts.b) / 2.0).distanceTo(start), 0.0, 1e-6);
    // They stand a little in from the road edges, about 24 units along x.
    const SegmentCorners k = segmentCorners(gTrack, {0, 0.0, gTrack.sampleStep});
    EXPECT_EQ(posts.a.z, k.nearLeft.z);
    EXPECT_NEAR(std::fabs(posts.a.x - k.nearLeft.x), 24.0, 2.0);
    EXPECT_NEAR(std::fabs(posts.b.x - k.nearRight.x), 24.0, 2.0);
}

TEST(StartPosts, GrowCoarserWithDistanceAndVanishFrom20000) {
    EXPECT_EQ(markerSphereDetail(0.0f), 12);
    EXPECT_EQ(markerSphereDetail(1999.0f), 12);
    EXPECT_EQ(markerSphereDetail(3000.0f), 8);
    EXPECT_EQ(markerSphereDetail(7000.0f), 6);
    EXPECT_EQ(markerSphereDetail(19999.0f), 4);
    EXPECT_EQ(markerSphereDetail(20000.0f), 0);
    EXPECT_EQ(markerSphereDetail(1.0e9f), 0);
}

TEST(StartPosts, AreNeverLostAtTheEdgeOfADetailBand) {
    EXPECT_EQ(markerSphereDetail(2000.0f), 8);
    EXPECT_EQ(markerSphereDetail(5000.0f), 6);
    EXPECT_EQ(markerSphereDetail(10000.0f), 4);
}
