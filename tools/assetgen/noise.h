#pragma once

#include <cstdint>

namespace assetgen {

// Value noise on an integer lattice, smoothly interpolated. The period makes
// it tile: a texture that repeats along the track must meet itself.
double valueNoise2(double x, double y, uint32_t seed, int periodX = 0, int periodY = 0);
double valueNoise3(double x, double y, double z, uint32_t seed);

// Sums of octaves, each twice the frequency and half the weight; result 0..1.
double fractalNoise2(double x, double y, int octaves, uint32_t seed, int periodX = 0,
                     int periodY = 0);
double fractalNoise3(double x, double y, double z, int octaves, uint32_t seed);

}  // namespace assetgen
