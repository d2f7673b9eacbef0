#pragma once

#include <cmath>
#include <vector>

#include "random.h"

namespace assetgen {

const double TWO_PI = 6.28318530717958647692;

// One-pole low-pass; cutoff in Hz.
class LowPass {
public:
    LowPass(double cutoff, double sampleRate) { setCutoff(cutoff, sampleRate); }
    void setCutoff(double cutoff, double sampleRate) {
        coefficient_ = 1.0 - std::exp(-TWO_PI * cutoff / sampleRate);
    }
    double operator()(double in) { return state_ += coefficient_ * (in - state_); }

private:
    double coefficient_ = 0;
    double state_ = 0;
};

// Everything below the cutoff removed, by subtracting the low-passed signal.
class HighPass {
public:
    HighPass(double cutoff, double sampleRate) : low_(cutoff, sampleRate) {}
    double operator()(double in) { return in - low_(in); }

private:
    LowPass low_;
};

inline double decay(double time, double seconds) {
    return std::exp(-time / seconds);
}

// Scales the samples so their loudest peak sits at the given level.
inline void normalizePeak(std::vector<double>& samples, double peak) {
    double loudest = 0;
    for (double s : samples) {
        loudest = std::max(loudest, std::fabs(s));
    }
    if (loudest > 0) {
        for (double& s : samples) {
            s *= peak / loudest;
        }
    }
}

}  // namespace assetgen
