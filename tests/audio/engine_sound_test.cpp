#include <AL/al.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "audio/sound.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

namespace {
float sourcePitch() {
    float pitch = 0.0f;
    alGetSourcef(gEngineSample, AL_PITCH, &pitch);
    return pitch;
}

float sourceGain() {
    float gain = 0.0f;
    alGetSourcef(gEngineSample, AL_GAIN, &gain);
    return gain;
}

void runFrames(int frames, float throttle) {
    for (int i = 0; i < frames; ++i) {
        updateEngineSound(throttle);
    }
}

class EngineSound : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureTestDisplay(); }
    void TearDown() override { shutdownSound(); }
    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};

TEST_F(EngineSound, StartsAtTheSamplesOwnRateAndFullVolumeThenWindsDownAndRevsUpWithinItsBounds) {
    folder.writeTone("jet.wav", 440.0, 22050, 1.0);
    ASSERT_EQ(startSound(), 1);
    ASSERT_NE(gEngineSample, 0u);
    EXPECT_EQ(gEngineFrequency, 22050);
    EXPECT_EQ(gEngineVolume, 100);
    ALint state = 0;
    alGetSourcei(gEngineSample, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PLAYING);
    ALint looping = 0;
    alGetSourcei(gEngineSample, AL_LOOPING, &looping);
    EXPECT_EQ(looping, AL_TRUE);

    // Released: the last step down is taken from 20050.
    runFrames(10, 0.0f);
    EXPECT_EQ(gEngineFrequency, 20050);
    EXPECT_EQ(gEngineVolume, 90);
    runFrames(1, 0.0f);
    EXPECT_EQ(gEngineFrequency, 19850);
    runFrames(100, 0.0f);
    EXPECT_EQ(gEngineFrequency, 19850);
    EXPECT_EQ(gEngineVolume, 31);
    EXPECT_FLOAT_EQ(sourcePitch(), 19850.0f / 22050.0f);
    EXPECT_FLOAT_EQ(sourceGain(), 0.31f);

    // Held: one notch a frame up to just past 60000 and a volume of 89.
    runFrames(1, 1.0f);
    EXPECT_EQ(gEngineFrequency, 20050);
    EXPECT_EQ(gEngineVolume, 32);
    runFrames(199, 1.0f);
    EXPECT_EQ(gEngineFrequency, 59850);
    EXPECT_EQ(gEngineVolume, 89);
    runFrames(1, 1.0f);
    EXPECT_EQ(gEngineFrequency, 60050);
    runFrames(50, 1.0f);
    EXPECT_EQ(gEngineFrequency, 60050);
    EXPECT_EQ(gEngineVolume, 89);
    EXPECT_FLOAT_EQ(sourcePitch(), 60050.0f / 22050.0f);
    EXPECT_FLOAT_EQ(sourceGain(), 0.89f);

    // Braking winds down exactly like letting go.
    runFrames(1, -1.0f);
    EXPECT_EQ(gEngineFrequency, 59850);
    EXPECT_EQ(gEngineVolume, 88);
    EXPECT_EQ(boxes.boxes().size(), 2u);  // only the music's: this folder has none
}

TEST_F(EngineSound, AFullSweepTakesTwoHundredFramesAndTheStartPanLastsOneFrame) {
    folder.writeTone("jet.wav", 440.0, 20000, 1.0);
    std::srand(3);
    const int expectedPan = std::rand() % 201 - 100;
    std::srand(3);
    ASSERT_EQ(startSound(), 1);
    ASSERT_NE(expectedPan, 0);

    float x = 0.0f, y = 0.0f, z = 0.0f;
    alGetSource3f(gEngineSample, AL_POSITION, &x, &y, &z);
    EXPECT_NEAR(x, std::sin(expectedPan / 100.0 * M_PI / 6.0), 1e-4);
    EXPECT_EQ(x < 0.0f, expectedPan < 0);

    runFrames(199, 1.0f);
    EXPECT_EQ(gEngineFrequency, 59800);
    runFrames(1, 1.0f);
    EXPECT_EQ(gEngineFrequency, 60000);
    runFrames(10, 1.0f);
    EXPECT_EQ(gEngineFrequency, 60000);
    EXPECT_FLOAT_EQ(sourcePitch(), 3.0f);

    alGetSource3f(gEngineSample, AL_POSITION, &x, &y, &z);
    EXPECT_FLOAT_EQ(x, 0.0f);
    EXPECT_LT(z, 0.0f);
}

TEST_F(EngineSound, StartUpTakesExactlyOneRandomDraw) {
    folder.writeTone("jet.wav", 440.0, 22050, 0.5);
    std::srand(11);
    std::rand();
    const int second = std::rand();
    std::srand(11);
    startSound();
    EXPECT_EQ(std::rand(), second);
}

TEST_F(EngineSound, WithNoSoundAtAllTheStateStillStepsAndNothingBreaks) {
    // No device: the engine values are never read back from a sample, so they start at 0.
    shutdownSound();
    runFrames(5, 1.0f);
    EXPECT_EQ(gEngineFrequency, 1000);
    EXPECT_EQ(gEngineVolume, 5);
    playCrashSound();
    playShotSound();
    shutdownSound();
    shutdownSound();
    EXPECT_EQ(gEngineFrequency, 0);
}

}  // namespace
