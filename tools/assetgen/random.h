#pragma once

#include <cstdint>

namespace assetgen {

// A small xorshift generator of our own, so every machine draws the same numbers.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}

    uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }

    // Uniform in [0, 1), built from the top 53 bits.
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [-1, 1).
    double signedUniform() { return uniform() * 2.0 - 1.0; }

    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

// Stateless hash of lattice coordinates, for noise that needs no stored table.
inline uint32_t hashCoords(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x27d4eb2du;
    h ^= static_cast<uint32_t>(x) * 0x85ebca6bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x165667b1u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

inline double hashUnit(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    return (hashCoords(x, y, z, seed) & 0xFFFFFF) / 16777216.0;
}

}  // namespace assetgen
