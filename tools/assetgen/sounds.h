#pragma once

#include <vector>

namespace assetgen {

const int EFFECT_SAMPLE_RATE = 22050;
const int ENGINE_LOOP_SAMPLES = 33075;  // 1.5 s: a whole number of periods of every partial

// Mono samples in -1..1 at EFFECT_SAMPLE_RATE.
std::vector<double> makeEngineHum();
std::vector<double> makeCrash();
std::vector<double> makeShot();

}  // namespace assetgen
