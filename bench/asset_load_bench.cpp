// The start-up's asset work: the craft model read for the player and copied
// for the five opponents (their name finds the same file), and the seventeen
// textures decoded. Reported as the
// median of repeated runs; skipped until the generated data/ is present.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/file_lookup.h"
#include "craft/opponent.h"
#include "images/bmp_decoder.h"
#include "models/ase_loader.h"
#include "models/opponent_craft.h"

namespace {
const char* const TEXTURE_FILES[] = {
    "data/pista.bmp",    "data/lateralR.bmp",  "data/lateralL.bmp",   "data/flare.bmp",
    "data/ombra.bmp",    "data/sky/front.bmp", "data/sky/right.bmp",  "data/sky/back.bmp",
    "data/sky/left.bmp", "data/sky/top.bmp",   "data/sky/bottom.bmp", "data/nums/1.bmp",
    "data/nums/2.bmp",   "data/nums/3.bmp",    "data/nums/4.bmp",     "data/nums/5.bmp",
    "data/nums/6.bmp",
};

std::string sourceFile(const std::string& relative) {
    return findFileIgnoringCase(std::string(ZENTRIX_SOURCE_DIR) + "/" + relative);
}

bool readFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

void startupAssets(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    if (!readFile(sourceFile("data/nau.ase"), bytes) || bytes.empty()) {
        state.SkipWithError("data/nau.ase is not there yet: generate data/ first");
        return;
    }
    for (const char* file : TEXTURE_FILES) {
        if (!readFile(sourceFile(file), bytes) || bytes.empty()) {
            state.SkipWithError((std::string(file) + " is not there yet").c_str());
            return;
        }
    }
    for (auto _ : state) {
        // The player names the file in lower case, the opponents in upper.
        const std::string playerPath = std::string(ZENTRIX_SOURCE_DIR) + "/data/nau.ase";
        Model player;
        if (tryLoadAse(player, playerPath) != AseLoadResult::Loaded) {
            state.SkipWithError("data/nau.ase does not load");
            return;
        }
        const Model craft =
            opponentCraft(std::string(ZENTRIX_SOURCE_DIR) + "/data/nau.ASE", player, playerPath);
        for (int opponent = 0; opponent < OPPONENT_COUNT; ++opponent) {
            Model copy;
            copy.objects = craft.objects;
            benchmark::DoNotOptimize(copy.objects.data());
        }
        for (const char* file : TEXTURE_FILES) {
            readFile(sourceFile(file), bytes);
            RgbImage image;
            if (decodeBitmap(bytes.data(), bytes.size(), image) != BitmapError::None) {
                state.SkipWithError((std::string(file) + " does not decode").c_str());
                return;
            }
            benchmark::DoNotOptimize(image.pixels.data());
        }
    }
}
BENCHMARK(startupAssets)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
}  // namespace

BENCHMARK_MAIN();
