#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "music.h"
#include "sounds.h"
#include "wav_writer.h"

using namespace assetgen;

namespace {

// The size of the jump between neighbouring samples that only one in a
// thousand steps of the sound exceeds.
double rareStep(const std::vector<double>& s) {
    std::vector<double> steps;
    for (size_t i = 0; i + 1 < s.size(); ++i) {
        steps.push_back(std::fabs(s[i + 1] - s[i]));
    }
    std::sort(steps.begin(), steps.end());
    return steps[steps.size() * 999 / 1000];
}

double peak(const std::vector<double>& s) {
    double p = 0;
    for (double v : s) {
        p = std::max(p, std::fabs(v));
    }
    return p;
}

}  // namespace

TEST(WavFile, HeaderDescribes16BitPcmAndSamplesAreClamped) {
    std::vector<unsigned char> bytes = encodeWav16({0.0, 1.0, -1.0, 2.0}, 22050, 1);
    ASSERT_EQ(bytes.size(), 44u + 8u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(bytes[20], 1);  // PCM
    EXPECT_EQ(bytes[22], 1);  // mono
    EXPECT_EQ(bytes[24] | bytes[25] << 8, 22050);
    EXPECT_EQ(bytes[34], 16);
    auto sample = [&](int i) {
        return static_cast<int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8);
    };
    EXPECT_EQ(sample(0), 0);
    EXPECT_EQ(sample(1), 32767);
    EXPECT_EQ(sample(2), -32767);
    EXPECT_EQ(sample(3), 32767);
}

TEST(EngineHum, LoopsWithoutAClick) {
    std::vector<double> hum = makeEngineHum();
    double seconds = static_cast<double>(hum.size()) / EFFECT_SAMPLE_RATE;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 2.0);
    EXPECT_LE(peak(hum), 1.0);
    EXPECT_GT(peak(hum), 0.5);
    // Going from the last sample back to the first is an ordinary step.
    EXPECT_LT(std::fabs(hum.front() - hum.back()), rareStep(hum));
}

TEST(OneShots, AreShortAndEndInSilence) {
    struct Case {
        std::vector<double> samples;
        double seconds;
    };
    for (const Case& c : {Case{makeCrash(), 0.5}, Case{makeShot(), 0.4}}) {
        EXPECT_NEAR(static_cast<double>(c.samples.size()) / EFFECT_SAMPLE_RATE, c.seconds, 0.05);
        EXPECT_LE(peak(c.samples), 1.0);
        EXPECT_GT(peak(c.samples), 0.5);
        EXPECT_NEAR(c.samples.back(), 0.0, 1e-3);
        // Loud at the start, much quieter at the end.
        size_t tenth = c.samples.size() / 10;
        std::vector<double> head(c.samples.begin(), c.samples.begin() + tenth);
        std::vector<double> tail(c.samples.end() - tenth, c.samples.end());
        EXPECT_GT(peak(head), 5 * peak(tail));
    }
}

TEST(Music, IsAMinuteOfStereoThatRunsOnFromItsEndIntoItsStart) {
    std::vector<double> music = makeMusic();
    ASSERT_EQ(music.size(), static_cast<size_t>(musicFrames()) * 2);
    EXPECT_GE(static_cast<double>(musicFrames()) / MUSIC_SAMPLE_RATE, 60.0);
    EXPECT_LE(peak(music), 0.9);
    for (int channel = 0; channel < 2; ++channel) {
        std::vector<double> one;
        for (size_t i = channel; i < music.size(); i += 2) {
            one.push_back(music[i]);
        }
        // The first beat's drum hit is the only jump at the loop point.
        EXPECT_LT(std::fabs(one.front() - one.back()), peak(one)) << channel;
        // No silent gap at either end.
        EXPECT_GT(peak({one.end() - 4410, one.end()}), 0.05) << channel;
        EXPECT_GT(peak({one.begin(), one.begin() + 4410}), 0.05) << channel;
    }
}
