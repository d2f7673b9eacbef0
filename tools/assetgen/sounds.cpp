#include "sounds.h"

#include "synth.h"

namespace assetgen {
namespace {

const double EFFECT_RATE = EFFECT_SAMPLE_RATE;

// Fades the last few milliseconds so a one-shot ends on silence.
void fadeTail(std::vector<double>& samples, double seconds) {
    size_t fade = static_cast<size_t>(seconds * EFFECT_RATE);
    for (size_t i = 0; i < fade && i < samples.size(); ++i) {
        samples[samples.size() - 1 - i] *= static_cast<double>(i) / fade;
    }
}

}  // namespace

std::vector<double> makeEngineHum() {
    const int n = ENGINE_LOOP_SAMPLES;
    // Every frequency is a whole number of cycles per loop (a multiple of
    // 1 / 1.5 s), so the loop's end runs straight into its start.
    const double fundamental = 110;
    const double whine[] = {1760, 2640, 3520};
    const double throb = 6;

    Random random(0xE1);
    std::vector<double> harmonicPhase(13);
    for (double& p : harmonicPhase) {
        p = random.uniform() * TWO_PI;
    }

    // Air rushing through the turbine: noise filtered round the loop twice, so
    // the filters' memory at the start is what the end leaves behind.
    std::vector<double> white(n);
    for (double& w : white) {
        w = random.signedUniform();
    }
    std::vector<double> rush(n);
    LowPass lowPass(1200, EFFECT_RATE), lowPassAgain(1200, EFFECT_RATE);
    HighPass highPass(250, EFFECT_RATE);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < n; ++i) {
            rush[i] = highPass(lowPassAgain(lowPass(white[i])));
        }
    }

    std::vector<double> samples(n);
    for (int i = 0; i < n; ++i) {
        double t = i / EFFECT_RATE;
        double hum = 0;
        for (int k = 1; k <= 12; ++k) {
            hum += std::sin(TWO_PI * fundamental * k * t + harmonicPhase[k]) / std::pow(k, 0.9);
        }
        double blades = 0;
        for (double f : whine) {
            blades += std::sin(TWO_PI * f * t) * 0.12;
        }
        double swell = 1.0 + 0.18 * std::sin(TWO_PI * throb * t);
        samples[i] = (hum * 0.5 + blades + rush[i] * 0.9) * swell;
    }
    normalizePeak(samples, 0.8);
    return samples;
}

std::vector<double> makeCrash() {
    const int n = static_cast<int>(0.5 * EFFECT_RATE);
    Random random(0xC4);
    LowPass body(900, EFFECT_RATE);
    HighPass grit(2500, EFFECT_RATE);
    // Inharmonic partials of bent metal.
    const double clang[] = {347, 781, 1193, 1709, 2467};
    std::vector<double> samples(n);
    double thumpPhase = 0;
    for (int i = 0; i < n; ++i) {
        double t = i / EFFECT_RATE;
        double noise = random.signedUniform();
        // A low thud whose pitch sags as it dies.
        double thumpFrequency = 40 + 80 * decay(t, 0.05);
        thumpPhase += TWO_PI * thumpFrequency / EFFECT_RATE;
        double thump = std::sin(thumpPhase) * decay(t, 0.12);
        double crunch = body(noise) * 3.0 * decay(t, 0.09);
        double scrape = grit(noise) * decay(t, 0.04);
        double ring = 0;
        for (int k = 0; k < 5; ++k) {
            ring += std::sin(TWO_PI * clang[k] * t + k) * decay(t, 0.18 - 0.025 * k);
        }
        samples[i] = thump * 0.9 + crunch + scrape * 0.5 + ring * 0.12;
    }
    normalizePeak(samples, 0.9);
    fadeTail(samples, 0.03);
    return samples;
}

std::vector<double> makeShot() {
    const int n = static_cast<int>(0.4 * EFFECT_RATE);
    Random random(0x5B);
    LowPass hiss(3000, EFFECT_RATE);
    std::vector<double> samples(n);
    double phase = 0, wobble = 0;
    for (int i = 0; i < n; ++i) {
        double t = i / EFFECT_RATE;
        // A bright zap diving in pitch, with a fast wobble that makes it sizzle.
        double frequency = 180 + 1700 * decay(t, 0.07);
        wobble += TWO_PI * 55 / EFFECT_RATE;
        phase += TWO_PI * frequency * (1 + 0.04 * std::sin(wobble)) / EFFECT_RATE;
        double attack = std::min(1.0, t / 0.004);
        double zap = (std::sin(phase) + 0.35 * std::sin(2 * phase)) * attack * decay(t, 0.11);
        double burst = hiss(random.signedUniform()) * 2.5 * decay(t, 0.05);
        samples[i] = zap + burst;
    }
    normalizePeak(samples, 0.9);
    fadeTail(samples, 0.03);
    return samples;
}

}  // namespace assetgen
