#include "track/circuit_generator.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {
constexpr double TWO_PI = 6.283185307179586;
constexpr int MIN_TERMS = 4;
constexpr int MAX_TERMS = 8;
// Past this many candidates a circuit is a plain oval, which always keeps the rules.
constexpr int MAX_DRAWS = 400;
constexpr int SHAPE_SAMPLES = 1024;
// The largest size of each harmonic against the oval's, 0.8 / f^1.1, written
// out so no library's pow can change a circuit.
constexpr double HARMONIC_SIZE[MAX_TERMS + 1] = {0.0,
                                                 0.8,
                                                 0.373213196614723,
                                                 0.23892225595753655,
                                                 0.17411011265922482,
                                                 0.13621438760332552,
                                                 0.11146117361039158,
                                                 0.09407671474206218,
                                                 0.08122523963562354};
// Where the start line may go: this many places round the lap are tried.
constexpr int START_CANDIDATES = 256;

struct Bend {
    double x;
    double z;
};

// The harmonics at one angle, each multiple of it turned on from the last as
// the track does, so a candidate costs two sines and cosines a point.
Bend pointOf(const std::vector<CircuitTerm>& terms, double angle) {
    const double c1 = std::cos(angle);
    const double s1 = std::sin(angle);
    double c = 1.0;
    double s = 0.0;
    int32_t at = 0;
    Bend b{0.0, 0.0};
    for (const CircuitTerm& term : terms) {
        for (; at < term.frequency; ++at) {
            const double nextC = c * c1 - s * s1;
            s = s * c1 + c * s1;
            c = nextC;
        }
        b.x += term.xCos * c + term.xSin * s;
        b.z += term.zCos * c + term.zSin * s;
    }
    return b;
}

// A lap's points on an even grid of the angle, and the heading of each step.
struct Lap {
    std::vector<Bend> points;
    std::vector<double> heading;
    double length = 0.0;
};

Lap walkLap(const std::vector<CircuitTerm>& terms) {
    Lap lap;
    lap.points.resize(SHAPE_SAMPLES);
    for (int i = 0; i < SHAPE_SAMPLES; ++i) {
        lap.points[static_cast<size_t>(i)] = pointOf(terms, TWO_PI * i / SHAPE_SAMPLES);
    }
    for (int i = 0; i < SHAPE_SAMPLES; ++i) {
        const Bend& a = lap.points[static_cast<size_t>(i)];
        const Bend& b = lap.points[static_cast<size_t>((i + 1) % SHAPE_SAMPLES)];
        lap.heading.push_back(std::atan2(b.x - a.x, b.z - a.z));
        lap.length += std::hypot(b.x - a.x, b.z - a.z);
    }
    return lap;
}

// The place round the lap whose stretch either side turns least: the start line.
double straightestStart(const Lap& lap) {
    // A little wider than the stretch that must be straight, for a margin.
    const int reach = static_cast<int>(START_STRAIGHT_LAP_FRACTION * 1.5 * SHAPE_SAMPLES);
    // How far the heading turns from each step to the next, worked out once.
    std::vector<double> stepTurn(SHAPE_SAMPLES);
    for (size_t i = 0; i < stepTurn.size(); ++i) {
        const size_t j = (i + 1) % SHAPE_SAMPLES;
        stepTurn[i] = std::fabs(std::remainder(lap.heading[j] - lap.heading[i], TWO_PI));
    }
    double bestTurn = INFINITY;
    int best = 0;
    for (int candidate = 0; candidate < START_CANDIDATES; ++candidate) {
        const int centre = candidate * (SHAPE_SAMPLES / START_CANDIDATES);
        double turn = 0.0;
        for (int k = -reach; k < reach; ++k) {
            turn += stepTurn[static_cast<size_t>((centre + k + SHAPE_SAMPLES) % SHAPE_SAMPLES)];
        }
        if (turn < bestTurn) {
            bestTurn = turn;
            best = centre;
        }
    }
    return TWO_PI * best / SHAPE_SAMPLES;
}

// An oval of the lap's length and the classic's way round, then harmonics of
// rising frequency and falling size, each with its own lean.
CircuitShape drawShape(CircuitRandom& random) {
    std::vector<CircuitTerm> terms;
    CircuitTerm oval;
    oval.xSin = -1.0;
    oval.zCos = random.between(0.55, 1.0);
    terms.push_back(oval);
    const int count = MIN_TERMS + static_cast<int>(random.next() % (MAX_TERMS - MIN_TERMS + 1));
    for (int frequency = 2; frequency <= count; ++frequency) {
        const double size = HARMONIC_SIZE[frequency];
        CircuitTerm term;
        term.frequency = frequency;
        const double xSize = random.between(0.0, size);
        const double xLean = random.between(0.0, TWO_PI);
        const double zSize = random.between(0.0, size);
        const double zLean = random.between(0.0, TWO_PI);
        term.xCos = xSize * std::cos(xLean);
        term.xSin = xSize * std::sin(xLean);
        term.zCos = zSize * std::cos(zLean);
        term.zSin = zSize * std::sin(zLean);
        terms.push_back(term);
    }
    // Sized to a lap length drawn well inside the allowed range.
    const double length = random.between(MIN_LAP_LENGTH * 1.1, MAX_LAP_LENGTH * 0.95);
    const Lap lap = walkLap(terms);
    const double scale = length / lap.length;
    for (CircuitTerm& term : terms) {
        term.xCos *= scale;
        term.xSin *= scale;
        term.zCos *= scale;
        term.zSin *= scale;
    }
    CircuitShape shape;
    shape.startAngle = straightestStart(lap);
    shape.terms = std::move(terms);
    return shape;
}

CircuitShape plainOval() {
    CircuitTerm oval;
    oval.xSin = -300000.0;
    oval.zCos = 240000.0;
    CircuitShape shape;
    shape.terms.push_back(oval);
    return shape;
}
}  // namespace

uint64_t CircuitRandom::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double CircuitRandom::unit() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double CircuitRandom::between(double low, double high) {
    return low + (high - low) * unit();
}

GrownCircuit growCircuit(uint32_t number) {
    GrownCircuit grown;
    if (number == CLASSIC_CIRCUIT) {
        grown.figures = measureCircuit(grown.track);
        return grown;
    }
    static const double classicLap = measureCircuit(Track()).lapLength;
    CircuitRandom random(number);
    for (grown.redraws = 0; grown.redraws < MAX_DRAWS; ++grown.redraws) {
        grown.track.setCircuit(number, drawShape(random));
        grown.figures = measureCircuit(grown.track, true);
        if (keepsTheRules(grown.figures)) {
            break;
        }
    }
    if (grown.redraws == MAX_DRAWS) {
        grown.track.setCircuit(number, plainOval());
        grown.figures = measureCircuit(grown.track);
    }
    grown.track.opponentPace = classicLap / grown.figures.lapLength;
    return grown;
}

void raceOnCircuit(uint32_t number) {
    // The classic is raced as it stands: measuring it (a millisecond and more
    // before the window can start) only matters when choosing between draws.
    gTrack = number == CLASSIC_CIRCUIT ? Track() : growCircuit(number).track;
}
