#pragma once

#include <cstdint>

#include "track/circuit_check.h"
#include "track/track.h"

// The same numbers on every machine and with every compiler: SplitMix64, and
// doubles made from its top 53 bits, so nothing depends on a library's
// distributions (nor on the race's own rand()).
class CircuitRandom {
public:
    explicit CircuitRandom(uint64_t seed) : state_(seed) {}
    uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double between(double low, double high);

private:
    uint64_t state_;
};

// A circuit as grown from its number: the track, how many candidates were
// drawn and thrown away before it, and its figures as quickly measured (the
// classic's in full).
struct GrownCircuit {
    Track track;
    int redraws = 0;
    CircuitFigures figures;
};

// Circuit number as every machine grows it: the classic for 0; for any other
// number, harmonics drawn from the number, redrawn until they keep the rules.
GrownCircuit growCircuit(uint32_t number);

// The race is run on that circuit from now on: gTrack becomes it.
void raceOnCircuit(uint32_t number);
