#include <AL/al.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "audio/sound.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

// The player's music and effects volumes, over the gains the race gives its sounds.
namespace {
class SoundVolumes : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ensureTestDisplay();
        folder.writeMp3Tone("musik.mp3", 300.0, 1.0);
        folder.writeTone("jet.wav", 440.0, 22050, 1.0);
        folder.writeTone("xoc.wav", 1000.0, 22050, 1.0);
        folder.writeTone("exp.wav", 700.0, 22050, 1.0);
    }
    void TearDown() override {
        shutdownSound();
        setMusicVolume(100);
        setEffectsVolume(100);
    }

    static float gainOf(uint32_t source) {
        float gain = -1.0f;
        alGetSourcef(source, AL_GAIN, &gain);
        return gain;
    }

    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};

struct Volumes {
    int music;
    int effects;
};
}  // namespace

TEST_F(SoundVolumes, EachSourcesGainIsItsOwnTimesThePlayersVolumeAtOnce) {
    ASSERT_EQ(startSoundOnLoopback(), 1);
    ASSERT_TRUE(boxes.boxes().empty());
    updateEngineSound(0.0f);  // the engine a notch down from its start, at 99
    playCrashSound();
    playShotSound();
    pauseRaceSounds();

    const Volumes rows[] = {{50, 30}, {0, 0}, {100, 0}, {0, 100}, {100, 100}, {150, -20}};
    for (const Volumes& row : rows) {
        SCOPED_TRACE(testing::Message() << "music " << row.music << ", effects " << row.effects);
        const float music = std::clamp(row.music, 0, 100) / 100.0f;
        const float effects = std::clamp(row.effects, 0, 100) / 100.0f;
        const auto expectEffects = [&] {
            EXPECT_FLOAT_EQ(gainOf(gEngineSample), 0.99f * effects);
            EXPECT_FLOAT_EQ(gainOf(gCrashSample), 1.0f * effects);
            EXPECT_FLOAT_EQ(gainOf(gShotSample), 0.5f * effects);
        };
        // Chosen in the pause menu: heard there and then.
        setMusicVolume(row.music);
        setEffectsVolume(row.effects);
        EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.2f * music);
        expectEffects();
        resumeRaceSounds();
        EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.6f * music);
        expectEffects();
        pauseRaceSounds();
        EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.2f * music);
    }
    EXPECT_EQ(gEngineVolume, 99) << "the engine's notch is the race's, not the player's";
}

TEST_F(SoundVolumes, VolumesChosenBeforeTheSoundStartsAreHeardFromTheStart) {
    setMusicVolume(50);
    setEffectsVolume(40);  // harmless with no sound yet
    ASSERT_EQ(startSoundOnLoopback(), 1);
    EXPECT_FLOAT_EQ(gainOf(gMusicStream), 0.3f);
    EXPECT_FLOAT_EQ(gainOf(gEngineSample), 0.4f);
    EXPECT_EQ(gEngineVolume, 100);
    updateEngineSound(1.0f);
    EXPECT_FLOAT_EQ(gainOf(gEngineSample), 0.4f) << "the engine's notches stay under the volume";
}

TEST_F(SoundVolumes, NoughtSilencesTheMixAndAFullVolumeBringsItBack) {
    ASSERT_EQ(startSoundOnLoopback(), 1);
    playCrashSound();
    renderMix(FRAMES_PER_GAME_TICK);
    ASSERT_GT(rootMeanSquare(renderMix(FRAMES_PER_GAME_TICK)), 0.05);

    setMusicVolume(0);
    setEffectsVolume(0);
    renderMix(FRAMES_PER_GAME_TICK);  // the mixer's gain ramp
    for (int tick = 0; tick < 10; ++tick) {
        updateMusicStream();
        updateEngineSound(1.0f);
        EXPECT_LT(rootMeanSquare(renderMix(FRAMES_PER_GAME_TICK)), 1e-4) << "tick " << tick;
    }

    setMusicVolume(100);
    setEffectsVolume(100);
    renderMix(FRAMES_PER_GAME_TICK);
    EXPECT_GT(rootMeanSquare(renderMix(FRAMES_PER_GAME_TICK)), 0.05);
}
