#include <AL/al.h>
#include <gtest/gtest.h>

#include <algorithm>
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

    static float gainOf(uint32_t source) {
        float gain = -1.0f;
        alGetSourcef(source, AL_GAIN, &gain);
        return gain;
    }

    static ALint offsetOf(uint32_t source) {
        ALint offset = 0;
        alGetSourcei(source, AL_SAMPLE_OFFSET, &offset);
        return offset;
    }

    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};

TEST_F(PausedSound, TheEngineAndACrashFallSilentAndGoOnFromWhereTheyStood) {
    folder.writeTone("jet.wav", 440.0, 22050, 1.0);
    folder.writeTone("xoc.wav", 1000.0, 22050, 1.0);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    playCrashSound();
    for (int t = 0; t < 10; ++t) {
        tick();
    }
    ASSERT_GT(rootMeanSquare(tick()), 0.05);
    playCountdownSound(true);  // GO rings on for more than half a second

    pauseRaceSounds();
    tick();  // the mixer's gain ramp
    const ALint crashHeldAt = offsetOf(gCrashSample);
    for (int t = 0; t < 60; ++t) {
        EXPECT_LT(rootMeanSquare(tick()), 1e-4) << "tick " << t << " of the pause";
    }
    EXPECT_EQ(stateOf(gEngineSample), AL_PAUSED);
    EXPECT_EQ(stateOf(gCrashSample), AL_PAUSED);
    EXPECT_EQ(stateOf(gCountdownGoSample), AL_PAUSED);
    EXPECT_EQ(offsetOf(gCrashSample), crashHeldAt) << "a second of pause is no second of crash";
    pauseRaceSounds();  // a second pause changes nothing
    EXPECT_EQ(stateOf(gEngineSample), AL_PAUSED);

    resumeRaceSounds();
    EXPECT_EQ(stateOf(gEngineSample), AL_PLAYING);
    EXPECT_EQ(stateOf(gCrashSample), AL_PLAYING);
    EXPECT_EQ(stateOf(gCountdownGoSample), AL_PLAYING);
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

TEST_F(PausedSound, ThePlayersVolumesScaleEachSourcesOwnGainAtOnce) {
    folder.writeMp3Tone("musik.mp3", 300.0, 1.0);
    for (const char* name : {"jet.wav", "xoc.wav", "exp.wav"}) {
        folder.writeTone(name, 440.0, 22050, 1.0);
    }
    setMusicVolume(50);  // chosen before the sound starts: heard from the start
    setEffectsVolume(40);
    EXPECT_EQ(startSoundOnLoopback(), 1);
    EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.3f);
    updateEngineSound(0.0f);
    EXPECT_EQ(gEngineVolume, 99) << "the engine's notch is the race's, not the player's";
    playShotSound();
    const int rows[][2] = {{50, 30}, {0, 0}, {100, 0}, {0, 100}, {150, -20}, {100, 100}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "music " << row[0] << ", effects " << row[1]);
        const float music = std::clamp(row[0], 0, 100) / 100.0f;
        const float effects = std::clamp(row[1], 0, 100) / 100.0f;
        pauseRaceSounds();
        setMusicVolume(row[0]);
        setEffectsVolume(row[1]);
        EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.2f * music);
        resumeRaceSounds();
        EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.6f * music);
        EXPECT_FLOAT_EQ(gainOf(gEngineSample), 0.99f * effects);
        EXPECT_FLOAT_EQ(gainOf(gShotSample), 0.5f * effects);
        EXPECT_FLOAT_EQ(gainOf(gCountdownBeepSample), 0.8f * effects);
        EXPECT_FLOAT_EQ(gainOf(gCountdownGoSample), 0.8f * effects);
    }
}

}  // namespace
