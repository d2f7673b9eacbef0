#include "noise.h"

#include <cmath>

#include "random.h"

namespace assetgen {
namespace {

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

int wrap(int i, int period) {
    if (period <= 0) {
        return i;
    }
    int m = i % period;
    return m < 0 ? m + period : m;
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

}  // namespace

double valueNoise2(double x, double y, uint32_t seed, int periodX, int periodY) {
    double fx = std::floor(x);
    double fy = std::floor(y);
    int ix = static_cast<int>(fx);
    int iy = static_cast<int>(fy);
    double tx = fade(x - fx);
    double ty = fade(y - fy);
    int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    int y0 = wrap(iy, periodY), y1 = wrap(iy + 1, periodY);
    double a = lerp(hashUnit(x0, y0, 0, seed), hashUnit(x1, y0, 0, seed), tx);
    double b = lerp(hashUnit(x0, y1, 0, seed), hashUnit(x1, y1, 0, seed), tx);
    return lerp(a, b, ty);
}

double valueNoise3(double x, double y, double z, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    double tx = fade(x - fx), ty = fade(y - fy), tz = fade(z - fz);
    double plane[2];
    for (int k = 0; k < 2; ++k) {
        double a = lerp(hashUnit(ix, iy, iz + k, seed), hashUnit(ix + 1, iy, iz + k, seed), tx);
        double b =
            lerp(hashUnit(ix, iy + 1, iz + k, seed), hashUnit(ix + 1, iy + 1, iz + k, seed), tx);
        plane[k] = lerp(a, b, ty);
    }
    return lerp(plane[0], plane[1], tz);
}

double fractalNoise2(double x, double y, int octaves, uint32_t seed, int periodX, int periodY) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * valueNoise2(x, y, seed + o * 101u, periodX, periodY);
        total += weight;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

double fractalNoise3(double x, double y, double z, int octaves, uint32_t seed) {
    double sum = 0, weight = 1, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * valueNoise3(x, y, z, seed + o * 101u);
        total += weight;
        x *= 2;
        y *= 2;
        z *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

}  // namespace assetgen
