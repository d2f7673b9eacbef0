#include "audio/countdown_tone.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double TWO_PI = 6.283185307179586;
constexpr double PEAK = 0.45;  // of full scale, room left for the engine and a crash
// A few milliseconds in and out, so neither end clicks.
constexpr double EDGE_SECONDS = 0.005;
// A touch of the third harmonic makes it a beep rather than a whistle.
constexpr double THIRD_HARMONIC = 0.25;
}  // namespace

DecodedSound countdownTone(bool go) {
    const double hz = go ? COUNTDOWN_GO_HZ : COUNTDOWN_BEEP_HZ;
    const double seconds = go ? COUNTDOWN_GO_SECONDS : COUNTDOWN_BEEP_SECONDS;
    const int frames = static_cast<int>(seconds * COUNTDOWN_TONE_RATE);
    DecodedSound tone;
    tone.channels = 1;
    tone.sampleRate = COUNTDOWN_TONE_RATE;
    tone.samples.reserve(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / COUNTDOWN_TONE_RATE;
        const double edge = std::min({1.0, t / EDGE_SECONDS, (seconds - t) / EDGE_SECONDS});
        // GO rings on and dies away over its length; a beep stays level.
        const double fade = go ? std::exp(-2.0 * t / seconds) : 1.0;
        const double wave =
            (std::sin(TWO_PI * hz * t) + THIRD_HARMONIC * std::sin(3.0 * TWO_PI * hz * t)) /
            (1.0 + THIRD_HARMONIC);
        tone.samples.push_back(
            static_cast<int16_t>(std::lround(32767.0 * PEAK * edge * fade * wave)));
    }
    return tone;
}
