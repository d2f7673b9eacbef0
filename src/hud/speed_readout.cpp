#include "hud/speed_readout.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr double KMH_PER_UNIT_A_TICK = 10.8;
constexpr int LARGEST_SHOWN = 9999;
}  // namespace

int speedKmh(float unitsPerTick) {
    const double kmh = std::fabs(static_cast<double>(unitsPerTick)) * KMH_PER_UNIT_A_TICK;
    // A craft flung past any speed it can fly (or NaN) reads the top of the dial.
    if (!(kmh < LARGEST_SHOWN)) {
        return LARGEST_SHOWN;
    }
    return static_cast<int>(std::lround(kmh));
}

std::string speedText(float unitsPerTick) {
    char text[16];
    std::snprintf(text, sizeof text, "%4d km/h", speedKmh(unitsPerTick));
    return text;
}
