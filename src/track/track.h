// track: the circuit's centre line, its road and walls, and where a craft is along it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/vector3.h"
#include "track/sample_grid.h"

// One lap of the track parameter: 2 x 3.141592, a hair short of 2 pi.
constexpr double TRACK_PERIOD = 6.283184;
// Parameter offset of the forward difference that gives the heading.
constexpr double HEADING_DELTA = 0.01;
// The game's pi, used for every radians-to-degrees conversion.
constexpr double GAME_PI = 3.141592;
// Grid of the player's nearest-sample search, and half the chord behind dist.
constexpr double PROGRESS_STEP = 0.005;

// Where a craft is along the track: the nearest centre-line sample, its
// distance from the local centre line, and that distance 80 units ahead.
struct TrackPlace {
    double lambda = 0.0;
    double dist = 0.0;
    double next_dist = 0.0;
};

// The classic circuit's number, raced when no other is asked for.
constexpr uint32_t CLASSIC_CIRCUIT = 0;

// How the player and the game call a circuit: "classic" for 0, else "circuit 48213".
std::string circuitName(uint32_t number);

// One harmonic of a grown circuit's centre line: at angle a round the lap,
// x gains xCos cos(f a) + xSin sin(f a) and z likewise.
struct CircuitTerm {
    int32_t frequency = 1;
    double xCos = 0.0;
    double xSin = 0.0;
    double zCos = 0.0;
    double zSin = 0.0;
};

// A grown circuit's centre line: its harmonics, and the angle round the lap
// where the start line is.
struct CircuitShape {
    std::vector<CircuitTerm> terms;
    double startAngle = 0.0;
};

// The race track: a closed trigonometric centre line in the plane y = 0.
// Everything else about the track (road, walls, progress) derives from it.
class Track {
public:
    Track();

    int32_t radius = 300000;
    int32_t halfWidth = 600;
    double sampleStep = TRACK_PERIOD / 604;
    // The opponents ride the centre line at speeds in track parameter; on a
    // lap of another length their speeds are scaled by this (the classic's
    // lap length over this one's), so they keep the classic's pace.
    double opponentPace = 1.0;

    // The number this track was grown from; CLASSIC_CIRCUIT for the classic.
    uint32_t circuitNumber() const { return circuit_; }
    // The harmonics of a grown circuit; none for the classic, whose centre
    // line is a formula of its own.
    const CircuitShape& shape() const { return shape_; }
    // Makes this the circuit of that number with that centre line.
    void setCircuit(uint32_t number, CircuitShape shape);

    // The centre line at parameter t; no wrapping, any t is accepted.
    double centreX(double t) const;
    double centreY(double t) const;
    double centreZ(double t) const;
    // centreX and centreZ at once, for a grown circuit at the cost of one.
    void centreXZ(double t, double& x, double& z) const;
    // Direction of travel as atan2(dx, dz): forward is (sin h, 0, cos h).
    double heading(double t) const;
    // The craft's yaw on the grid: the classic's faces -x, where its line
    // nearly runs; any other faces along its centre line.
    double startYaw() const;

    // Finds where a craft at position heading yaw is: the nearest of the
    // whole lap's samples on the PROGRESS_STEP grid.
    TrackPlace locate(const Vector3& position, float yaw) const;
    // The same by measuring every sample, the way locate always answered.
    TrackPlace locateByFullScan(const Vector3& position, float yaw) const;
    // Parameter of the nearest sample on the coarse sampleStep grid.
    double nearestParameter(Vector3 position) const;
    // Wall tests on a craft's distance from the centre line: beyond 570 and 480.
    int isAtWall(double dist) const;
    int isNearWall(double dist) const;

private:
    // A grown centre line at parameter t, both coordinates at once.
    void grownCentre(double t, double& x, double& z) const;
    // The centre line on locate's grid, worked out once per circuit: the
    // search runs every tick and would otherwise spend it on trigonometry.
    void sampleForLocate();
    // The place of a craft whose nearest sample is that one (or NO_SAMPLE).
    TrackPlace placeBy(size_t sample, const Vector3& position, float yaw) const;

    std::vector<double> locateParameters_;
    SampleGrid locateGrid_;

    uint32_t circuit_ = CLASSIC_CIRCUIT;
    CircuitShape shape_;
};

extern Track gTrack;
