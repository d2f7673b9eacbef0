#include <AL/al.h>
#include <gtest/gtest.h>

#include <vector>

#include "audio/sound.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

// A paused race through the mix: the engine and the effects hold where they
// are and come back from there; the music carries on, quieter.
namespace {
class PausedSound : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureTestDisplay(); }
    void TearDown() override { shutdownSound(); }

    std::vector<float> tick() {
        updateMusicStream();
        return renderMix(FRAMES_PER_GAME_TICK);
    }

    static ALint stateOf(uint32_t source) {
        ALint state = 0;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        return state;
    }

    static ALint offsetOf(uint32_t source) {
        ALint offset = 0;
        alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
        return offset;
    }

    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};
}  // namespace

TEST_F(PausedSound, TheEngineAndACrashFallSilentAndGoOnFromWhereTheyStood) {
    folder.writeTone("jet.wav", 440.0, 22050, 1.0);
    folder.writeTone("xoc.wav", 1000.0, 22050, 1.0);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    playCrashSound();
    for (int t = 0; t < 10; ++t) {
        tick();
    }
    ASSERT_GT(rootMeanSquare(tick()), 0.05);

    pauseRaceSounds();
    tick();  // the mixer's gain ramp
    const ALint crashHeldAt = offsetOf(gCrashSample);
    for (int t = 0; t < 60; ++t) {
        EXPECT_LT(rootMeanSquare(tick()), 1e-4) << "tick " << t << " of the pause";
    }
    EXPECT_EQ(stateOf(gEngineSample), AL_PAUSED);
    EXPECT_EQ(stateOf(gCrashSample), AL_PAUSED);
    EXPECT_EQ(offsetOf(gCrashSample), crashHeldAt) << "a second of pause is no second of crash";
    pauseRaceSounds();  // a second pause changes nothing
    EXPECT_EQ(stateOf(gEngineSample), AL_PAUSED);

    resumeRaceSounds();
    EXPECT_EQ(stateOf(gEngineSample), AL_PLAYING);
    EXPECT_EQ(stateOf(gCrashSample), AL_PLAYING);
    tick();
    EXPECT_GT(rootMeanSquare(tick()), 0.05);
    EXPECT_LT(offsetOf(gCrashSample), crashHeldAt + 3 * FRAMES_PER_GAME_TICK);
}

TEST_F(PausedSound, AnEffectThatHadEndedStaysSilentAfterThePause) {
    folder.writeTone("exp.wav", 440.0, 22050, 0.05);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    playShotSound();
    for (int t = 0; t < 10; ++t) {
        tick();
    }
    ASSERT_EQ(stateOf(gShotSample), AL_STOPPED);
    pauseRaceSounds();
    resumeRaceSounds();
    EXPECT_EQ(stateOf(gShotSample), AL_STOPPED);
}

TEST_F(PausedSound, TheMusicPlaysOnAtAThirdOfItsLevel) {
    folder.writeMp3Tone("musik.mp3", 300.0, 2.0);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    for (int t = 0; t < 5; ++t) {
        tick();
    }
    std::vector<float> racing;
    for (int t = 0; t < 15; ++t) {
        const std::vector<float> mix = tick();
        racing.insert(racing.end(), mix.begin(), mix.end());
    }
    pauseRaceSounds();
    tick();
    std::vector<float> paused;
    for (int t = 0; t < 15; ++t) {
        const std::vector<float> mix = tick();
        paused.insert(paused.end(), mix.begin(), mix.end());
    }
    EXPECT_EQ(stateOf(gMusicStream), AL_PLAYING);
    EXPECT_NEAR(rootMeanSquare(paused) / rootMeanSquare(racing), 1.0 / 3.0, 0.05);
    EXPECT_NEAR(dominantFrequency(paused), 300.0, 8.0);

    resumeRaceSounds();
    float gain = 0.0f;
    alGetSourcef(gMusicStream, AL_GAIN, &gain);
    EXPECT_FLOAT_EQ(gain, 0.6f);
}
