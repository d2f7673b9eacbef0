#include <AL/al.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "audio/sound.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

// The mix rendered through a loopback device, one game tick of samples at a time.
namespace {
class SoundMix : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureTestDisplay(); }
    void TearDown() override { shutdownSound(); }

    // Runs one game tick: the per-frame calls first, then the tick's samples.
    std::vector<float> tick() {
        updateMusicStream();
        return renderMix(FRAMES_PER_GAME_TICK);
    }

    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};

void append(std::vector<float>& to, const std::vector<float>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

TEST_F(SoundMix, TheEngineRisesWhileUpIsHeldAndFallsAfter) {
    // 440 whole periods a second, so the loop joins without a click.
    folder.writeTone("jet.wav", 440.0, 22050, 1.0);
    ASSERT_EQ(startSoundOnLoopback(), 1);

    // Quarter-second windows: 15 ticks each; 3 s held, then 3 s released.
    std::vector<double> held;
    std::vector<double> released;
    for (int window = 0; window < 24; ++window) {
        std::vector<float> mix;
        for (int t = 0; t < 15; ++t) {
            updateEngineSound(window < 12 ? 1.0f : 0.0f);
            append(mix, tick());
        }
        (window < 12 ? held : released).push_back(dominantFrequency(mix));
    }

    for (size_t i = 1; i < held.size(); ++i) {
        EXPECT_GT(held[i], held[i - 1] + 40.0) << "window " << i;
    }
    for (size_t i = 1; i < released.size(); ++i) {
        EXPECT_LT(released[i], released[i - 1] - 40.0) << "window " << i;
    }
    // The tone follows the rate: 440 Hz at the sample's own 22050 Hz. The last
    // windows cover ticks 166..180 of each phase, centred on tick 173.
    EXPECT_NEAR(held.back(), 440.0 * (22050.0 + 173 * 200.0) / 22050.0, 10.0);
    EXPECT_NEAR(released.back(), 440.0 * (58050.0 - 173 * 200.0) / 22050.0, 10.0);
    EXPECT_TRUE(boxes.boxes().size() == 2u);  // no music in this folder
}

TEST_F(SoundMix, ACrashRequestedEveryFrameSoundsOnceAndStartsAgainOnlyAfterItEnds) {
    // Half a second that fades out, so a restart shows as a jump back up.
    folder.writeTone("xoc.wav", 1000.0, 22050, 0.5, 0.5, [](double t) { return 1.0 - t / 0.5; });
    ASSERT_EQ(startSoundOnLoopback(), 1);

    std::vector<double> level;
    for (int t = 0; t < 120; ++t) {
        playCrashSound();
        level.push_back(rootMeanSquare(tick()));
    }
    std::vector<int> starts;
    for (int t = 0; t < 120; ++t) {
        if (level[t] > 0.1 && (t == 0 || level[t] > level[t - 1] * 2.0)) {
            starts.push_back(t);
        }
    }
    ASSERT_EQ(starts.size(), 4u);
    for (size_t i = 1; i < starts.size(); ++i) {
        // Each plays its full 30 ticks, then the next frame's request starts it again.
        EXPECT_GE(starts[i] - starts[i - 1], 30);
        EXPECT_LE(starts[i] - starts[i - 1], 32);
    }
    // Never two at once: no tick is louder than the first.
    EXPECT_LE(*std::max_element(level.begin(), level.end()), level[starts[0]] * 1.01);
}

TEST_F(SoundMix, TheShotPlaysAtAboutHalfTheEnginesStartVolume) {
    folder.writeTone("jet.wav", 440.0, 22050, 1.0);
    folder.writeTone("exp.wav", 440.0, 22050, 1.0);
    // A seed whose first draw starts the engine in the centre, beside the shot's pan of -1.
    unsigned seed = 1;
    for (;; ++seed) {
        std::srand(seed);
        if (std::rand() % 201 == 100) {
            break;
        }
    }
    std::srand(seed);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    tick();  // let the mixer's gain ramp settle
    const double engineStart = rootMeanSquare(tick());

    alSourceStop(gEngineSample);
    tick();
    playShotSound();
    tick();
    const double shot = rootMeanSquare(tick());
    EXPECT_NEAR(shot / engineStart, 0.5, 0.05);

    // A second shot while the first still sounds does not restart it.
    ALint before = 0;
    alGetSourcei(gShotSample, AL_SAMPLE_OFFSET, &before);
    playShotSound();
    ALint after = 0;
    alGetSourcei(gShotSample, AL_SAMPLE_OFFSET, &after);
    EXPECT_EQ(after, before);
}

TEST_F(SoundMix, TheMusicLoopsFromTheStart) {
    folder.writeMp3Tone("musik.mp3", 300.0, 0.5);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    for (int t = 0; t < 90; ++t) {
        tick();
    }
    // Three times the file's length later it still plays the same tone.
    std::vector<float> later;
    for (int t = 0; t < 15; ++t) {
        append(later, tick());
    }
    EXPECT_GT(rootMeanSquare(later), 0.1);
    EXPECT_NEAR(dominantFrequency(later), 300.0, 8.0);
}

TEST_F(SoundMix, TheGamesOwnSoundsAreAudible) {
    const std::string data = testsupport::sourcePath("data");
    if (!std::filesystem::exists(data + "/jet.wav")) {
        GTEST_SKIP() << "the game's data/ is not in this checkout";
    }
    for (const char* name : {"musik.mp3", "jet.wav", "xoc.wav", "exp.wav"}) {
        std::filesystem::copy_file(data + "/" + name, std::string("data/") + name);
    }
    ASSERT_EQ(startSoundOnLoopback(), 1);
    EXPECT_TRUE(boxes.boxes().empty());
    const double withMusicAndEngine = rootMeanSquare(tick());
    EXPECT_GT(withMusicAndEngine, 0.001);
    alSourceStop(gMusicStream);
    alSourceStop(gEngineSample);
    tick();
    playCrashSound();
    EXPECT_GT(rootMeanSquare(tick()), 0.001);
    alSourceStop(gCrashSample);
    playShotSound();
    EXPECT_GT(rootMeanSquare(tick()), 0.001);
}

// The countdown's tones are made as the sound starts: no file in data/ for them.
TEST_F(SoundMix, TheCountdownBeepsAndGoRingsHigherAndLongerAtTheEffectsVolume) {
    ASSERT_EQ(startSoundOnLoopback(), 1);
    const auto heard = [this](bool go, int fromTick, int toTick) {
        playCountdownSound(go);
        std::vector<float> mix;
        // On until GO has died away, so the next request finds its source free.
        for (int t = 0; t < 40; ++t) {
            const std::vector<float> one = tick();
            if (t >= fromTick && t < toTick) {
                append(mix, one);
            }
        }
        return mix;
    };
    setEffectsVolume(100);
    const std::vector<float> beep = heard(false, 0, 6);
    EXPECT_NEAR(dominantFrequency(beep), 880.0, 20.0);
    EXPECT_GT(rootMeanSquare(beep), 0.05);
    EXPECT_LT(rootMeanSquare(heard(false, 12, 18)), 0.001)
        << "a beep is over in a fifth of a second";
    const std::vector<float> go = heard(true, 0, 6);
    EXPECT_NEAR(dominantFrequency(go), 1760.0, 30.0);
    EXPECT_GT(rootMeanSquare(heard(true, 24, 30)), 0.01) << "GO still rings at 0.4 s";
    setEffectsVolume(0);
    EXPECT_LT(rootMeanSquare(heard(false, 0, 6)), 0.001);
    setEffectsVolume(100);
}

}  // namespace
