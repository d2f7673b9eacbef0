#include <cmath>
#include <string>

#include "track/track.h"

Track gTrack;

std::string circuitName(uint32_t number) {
    return number == CLASSIC_CIRCUIT ? "classic" : "circuit " + std::to_string(number);
}

double Track::centreX(double t) const {
    const double r = static_cast<double>(radius);
    return r * ((0.4 * std::cos(5.02 * t) - 1.0) - 1.2 * std::sin(t)) / (std::sin(2.5 * t) + 3.0);
}

double Track::centreY(double) const {
    return 0.0;
}

double Track::centreZ(double t) const {
    const double r = static_cast<double>(radius);
    return r * std::cos(t) + r;
}

double Track::heading(double t) const {
    const double dx = centreX(t + HEADING_DELTA) - centreX(t);
    const double dz = centreZ(t + HEADING_DELTA) - centreZ(t);
    return std::atan2(dx, dz);
}
