// Growing circuits from their numbers: the time one takes, and with
// --figures=N the generator's figures over circuits 1 to N.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "track/circuit_generator.h"

namespace {

// Grows one circuit after another, so the time is the mean over many numbers.
void growOneCircuit(benchmark::State& state) {
    uint32_t number = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(growCircuit(number++));
    }
}
BENCHMARK(growOneCircuit)->Unit(benchmark::kMillisecond);

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(share * static_cast<double>(values.size() - 1))];
}

int printFigures(uint32_t count) {
    std::vector<double> redraws, laps, clearances, radii, milliseconds;
    int plainOvals = 0;
    for (uint32_t number = 1; number <= count; ++number) {
        const auto start = std::chrono::steady_clock::now();
        const GrownCircuit grown = growCircuit(number);
        milliseconds.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        const CircuitFigures f = measureCircuit(grown.track);
        redraws.push_back(grown.redraws);
        laps.push_back(f.lapLength);
        clearances.push_back(f.clearance);
        radii.push_back(f.tightestRadius);
        plainOvals += grown.track.shape().terms.size() == 1 ? 1 : 0;
    }
    double meanRedraws = 0.0;
    double meanTime = 0.0;
    for (size_t i = 0; i < redraws.size(); ++i) {
        meanRedraws += redraws[i] / count;
        meanTime += milliseconds[i] / count;
    }
    std::printf("circuits 1 to %u\n", count);
    std::printf("candidates redrawn: mean %.2f, median %.0f, 99th percentile %.0f, most %.0f\n",
                meanRedraws, percentile(redraws, 0.5), percentile(redraws, 0.99),
                percentile(redraws, 1.0));
    std::printf("fell back on the plain oval: %d\n", plainOvals);
    std::printf("tightest clearance %.0f, tightest turn radius %.0f\n", percentile(clearances, 0),
                percentile(radii, 0));
    std::printf("lap length: least %.0f, median %.0f, most %.0f\n", percentile(laps, 0),
                percentile(laps, 0.5), percentile(laps, 1.0));
    std::printf(
        "time to grow one: mean %.2f ms, median %.2f ms, 99th percentile %.2f ms, most %.2f ms\n",
        meanTime, percentile(milliseconds, 0.5), percentile(milliseconds, 0.99),
        percentile(milliseconds, 1.0));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--figures=", 10) == 0) {
            return printFigures(static_cast<uint32_t>(std::strtoul(argv[i] + 10, nullptr, 10)));
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
