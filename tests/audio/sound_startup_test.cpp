#include <AL/al.h>
#include <AL/alc.h>
#include <gtest/gtest.h>
#include <sndfile.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <thread>
#include <utility>

#include "audio/sound.h"
#include "audio/sound_backend.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

namespace {
// What the game meets on a machine whose sound device cannot be opened.
SoundOutput openMissingDevice() {
    SoundOutput output;
    output.device = alcOpenDevice("Zentrix test: a device that is not there");
    if (output.device == nullptr) {
        recordSoundErrorCode(alcGetError(nullptr));
    }
    return output;
}

class SoundStartUp : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureTestDisplay(); }
    void TearDown() override { shutdownSound(); }
    testsupport::MessageCapture boxes;
};

// Whether the device fails as the sound starts or was found missing ahead,
// while the window came up, the same one box says so in the sound's turn.
TEST_F(SoundStartUp, WithNoDeviceOneBoxSaysSoAndTheGameGoesOnSilent) {
    TempSoundFolder folder;
    folder.writeTone("jet.wav", 440.0, 22050, 0.5);
    folder.writeTone("xoc.wav", 440.0, 22050, 0.5);
    folder.writeTone("exp.wav", 440.0, 22050, 0.5);
    folder.writeMp3Tone("musik.mp3", 300.0, 0.5);
    SoundOutput failedAhead;
    failedAhead.failure = ALC_INVALID_VALUE;
    const std::function<int()> starts[] = {
        [] { return startSoundOn(openMissingDevice); },
        [&failedAhead] { return startSoundWith(std::move(failedAhead)); }};

    for (size_t i = 0; i < std::size(starts); ++i) {
        SCOPED_TRACE(i == 0 ? "failing as it starts" : "found missing ahead");
        // The engine's start pan is drawn all the same, so the grid after it is the same.
        std::srand(5);
        std::rand();
        const int drawAfterThePan = std::rand();
        std::srand(5);
        EXPECT_EQ(starts[i](), 1);
        EXPECT_EQ(std::rand(), drawAfterThePan);

        ASSERT_EQ(boxes.boxes().size(), i + 1);
        EXPECT_EQ(boxes.boxes()[i].text, "No puc engegar soundsystem");
        EXPECT_EQ(boxes.boxes()[i].caption, "error");
        EXPECT_NE(lastSoundErrorCode(), 0);

        EXPECT_EQ(gMusicStream, 0u);
        EXPECT_EQ(gEngineSample, 0u);
        EXPECT_EQ(gCrashSample, 0u);
        EXPECT_EQ(gShotSample, 0u);
        EXPECT_EQ(gEngineFrequency, 0);
        EXPECT_EQ(gEngineVolume, 0);
        updateEngineSound(1.0f);
        playCrashSound();
        playShotSound();
        EXPECT_EQ(boxes.boxes().size(), i + 1);
        shutdownSound();  // the next start begins from nothing
        recordSoundErrorCode(0);
    }
}

TEST_F(SoundStartUp, WithoutTheMusicTheStreamBoxThenCantPlayStreamWithLibsndfilesCode) {
    TempSoundFolder folder;
    folder.writeTone("jet.wav", 440.0, 22050, 0.5);
    folder.writeTone("xoc.wav", 440.0, 22050, 0.5);
    folder.writeTone("exp.wav", 440.0, 22050, 0.5);

    EXPECT_EQ(startSound(), 1);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "No puc crear stream (n sta musik.mp3 a la carpeta data)");
    EXPECT_EQ(boxes.boxes()[0].caption, "error");
    EXPECT_EQ(boxes.boxes()[1].text,
              "Can't play stream\n(error code: " + std::to_string(SF_ERR_SYSTEM) + ")");
    EXPECT_EQ(boxes.boxes()[1].caption, "Error");
    EXPECT_NE(gEngineSample, 0u);
    EXPECT_EQ(gEngineVolume, 100);
}

TEST_F(SoundStartUp, AMissingOrDamagedSampleOnlySilencesThatSound) {
    TempSoundFolder folder;
    folder.writeMp3Tone("musik.mp3", 300.0, 0.5);
    folder.writeTone("xoc.wav", 440.0, 22050, 0.5);
    {
        // Not a sound file at all.
        FILE* junk = std::fopen("data/exp.wav", "wb");
        ASSERT_NE(junk, nullptr);
        std::fputs("RIFF but nothing that follows makes sense", junk);
        std::fclose(junk);
    }

    EXPECT_EQ(startSound(), 1);
    // Only the engine's failed start is reported; libsndfile says why the file is unreadable.
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(boxes.boxes()[0].text.rfind("Can't play sample\n(error code: ", 0), 0u);
    EXPECT_NE(boxes.boxes()[0].text, "Can't play sample\n(error code: 0)");
    EXPECT_NE(gMusicStream, 0u);
    EXPECT_NE(gCrashSample, 0u);
    EXPECT_EQ(gShotSample, 0u);
    EXPECT_EQ(gEngineSample, 0u);
    playShotSound();
    playCrashSound();
    ALint state = 0;
    alGetSourcei(gCrashSample, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PLAYING);
}

TEST_F(SoundStartUp, AnOldOpenALRuntimeIsRefused) {
    EXPECT_TRUE(openalRuntimeIsSuitable(1, 1));
    EXPECT_TRUE(openalRuntimeIsSuitable(2, 0));
    EXPECT_FALSE(openalRuntimeIsSuitable(1, 0));
    EXPECT_FALSE(openalRuntimeIsSuitable(0, 0));
}

// How long this takes is measured by bench/sound_start_bench, not here. The
// device is opened on another thread, as the game opens it while its window
// comes up.
TEST_F(SoundStartUp, TheGamesOwnSoundsLoadAndStartOnADeviceOpenedAhead) {
    const std::string data = testsupport::sourcePath("data");
    if (!std::filesystem::exists(data + "/musik.mp3")) {
        GTEST_SKIP() << "the game's data/ is not in this checkout";
    }
    SoundOutput openedAhead;
    std::thread([&openedAhead] { openedAhead = openDefaultSoundOutput(); }).join();
    ASSERT_NE(openedAhead.context, nullptr);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(testsupport::sourcePath(""));
    const int started = startSoundWith(std::move(openedAhead));
    std::filesystem::current_path(previous);

    EXPECT_EQ(started, 1);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_NE(gMusicStream, 0u);
    EXPECT_NE(gEngineSample, 0u);
    EXPECT_NE(gCrashSample, 0u);
    EXPECT_NE(gShotSample, 0u);
    EXPECT_GT(gEngineFrequency, 0);
    EXPECT_EQ(gEngineVolume, 100);
}

}  // namespace
