#include <cmath>
#include <string>
#include <utility>

#include "track/track.h"

Track gTrack;

std::string circuitName(uint32_t number) {
    return number == CLASSIC_CIRCUIT ? "classic" : "circuit " + std::to_string(number);
}

namespace {
// A grown circuit goes once round its harmonics over one lap of the parameter,
// so it closes exactly where it began.
constexpr double ANGLE_PER_PARAMETER = 6.283185307179586 / TRACK_PERIOD;
}  // namespace

Track::Track() {
    sampleForLocate();
}

void Track::setCircuit(uint32_t number, CircuitShape shape) {
    circuit_ = number;
    shape_ = std::move(shape);
    sampleForLocate();
}

void Track::grownCentre(double t, double& x, double& z) const {
    const double angle = t * ANGLE_PER_PARAMETER + shape_.startAngle;
    const double c1 = std::cos(angle);
    const double s1 = std::sin(angle);
    // cos and sin of each multiple of the angle by turning on from the last.
    double c = 1.0;
    double s = 0.0;
    int32_t at = 0;
    x = 0.0;
    z = 0.0;
    for (const CircuitTerm& term : shape_.terms) {
        for (; at < term.frequency; ++at) {
            const double nextC = c * c1 - s * s1;
            s = s * c1 + c * s1;
            c = nextC;
        }
        x += term.xCos * c + term.xSin * s;
        z += term.zCos * c + term.zSin * s;
    }
}

double Track::centreX(double t) const {
    if (!shape_.terms.empty()) {
        double x = 0.0;
        double z = 0.0;
        grownCentre(t, x, z);
        return x;
    }
    const double r = static_cast<double>(radius);
    return r * ((0.4 * std::cos(5.02 * t) - 1.0) - 1.2 * std::sin(t)) / (std::sin(2.5 * t) + 3.0);
}

void Track::centreXZ(double t, double& x, double& z) const {
    if (!shape_.terms.empty()) {
        grownCentre(t, x, z);
    } else {
        x = centreX(t);
        z = centreZ(t);
    }
}

double Track::centreY(double) const {
    return 0.0;
}

double Track::centreZ(double t) const {
    if (!shape_.terms.empty()) {
        double x = 0.0;
        double z = 0.0;
        grownCentre(t, x, z);
        return z;
    }
    const double r = static_cast<double>(radius);
    return r * std::cos(t) + r;
}

double Track::startYaw() const {
    if (shape_.terms.empty()) {
        return GAME_PI;
    }
    // The track's forward (sin h, 0, cos h) is the craft's (cos yaw, 0, sin yaw).
    const double h = heading(0.0);
    return std::atan2(std::cos(h), std::sin(h));
}

double Track::heading(double t) const {
    const double dx = centreX(t + HEADING_DELTA) - centreX(t);
    const double dz = centreZ(t + HEADING_DELTA) - centreZ(t);
    return std::atan2(dx, dz);
}
