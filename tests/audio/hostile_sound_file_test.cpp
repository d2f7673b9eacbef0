#include <AL/al.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "audio/sound.h"
#include "riff_headers.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

// Whatever stands in data/ in place of a sound, the start-up gives up on it at
// once, says so in the usual box and goes on with the other sounds.
namespace {
struct HostileSound {
    const char* what;
    std::function<void(TempSoundFolder&, const std::string& name)> make;
    int errorCode;
};

void PrintTo(const HostileSound& sound, std::ostream* out) {
    *out << sound.what;
}

// The code libsndfile itself gives when asked to open the file by name.
constexpr int LIBSNDFILES_OWN_CODE = -1;

constexpr uint64_t GIB = uint64_t{1} << 30;

const HostileSound HOSTILE_SOUNDS[] = {
    {"a FIFO with no writer",
     [](TempSoundFolder& folder, const std::string& name) {
         ASSERT_EQ(mkfifo(folder.path(name).c_str(), 0600), 0);
     },
     SF_ERR_SYSTEM},
    {"a directory",
     [](TempSoundFolder& folder, const std::string& name) {
         std::filesystem::create_directory(folder.path(name));
     },
     SF_ERR_SYSTEM},
    {"a link to /dev/zero",
     [](TempSoundFolder& folder, const std::string& name) {
         std::filesystem::create_symlink("/dev/zero", folder.path(name));
     },
     SF_ERR_SYSTEM},
    {"a dangling link",
     [](TempSoundFolder& folder, const std::string& name) {
         std::filesystem::create_symlink(folder.path("nowhere.wav"), folder.path(name));
     },
     SF_ERR_SYSTEM},
    {"a sparse 4 GiB mono WAV",
     [](TempSoundFolder& folder, const std::string& name) {
         folder.writeSparse(name, riff::wavHeader(1, 48000, 16, 0xFFFFFFFFu - 44), 4 * GIB);
     },
     AL_OUT_OF_MEMORY},
    {"a sparse 64 GiB RF64 with 1024 channels",
     [](TempSoundFolder& folder, const std::string& name) {
         folder.writeSparse(name, riff::rf64Header(1024, 48000, 16, 64 * GIB, 64 * GIB - 512),
                            64 * GIB);
     },
     SF_ERR_UNSUPPORTED_ENCODING},
    {"a WAV cut inside its header",
     [](TempSoundFolder& folder, const std::string& name) {
         folder.writeTone(name, 440.0, 22050, 0.5);
         std::filesystem::resize_file(folder.path(name), 30);
     },
     LIBSNDFILES_OWN_CODE},
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class HostileSoundFile : public ::testing::TestWithParam<HostileSound> {
protected:
    void SetUp() override {
        testsupport::ensureTestDisplay();
        folder.writeMp3Tone("musik.mp3", 300.0, 0.5);
        folder.writeTone("jet.wav", 440.0, 22050, 0.5);
        folder.writeTone("xoc.wav", 440.0, 22050, 0.5);
        folder.writeTone("exp.wav", 440.0, 22050, 0.5);
    }
    void TearDown() override { shutdownSound(); }

    // Puts the hostile thing in place of name and starts the sound, bounded
    // in time (about a second) and in memory (under 100 MiB more at peak).
    void startWith(const std::string& name) {
        std::filesystem::remove(folder.path(name));
        GetParam().make(folder, name);
        const long before = peakKilobytes();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(startSoundOnLoopback(), 1);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 1.0);
        EXPECT_LT(peakKilobytes() - before, 100 * 1024);
    }

    std::string errorLine(const std::string& name) const {
        int code = GetParam().errorCode;
        if (code == LIBSNDFILES_OWN_CODE) {
            SF_INFO info{};
            EXPECT_EQ(sf_open(folder.path(name).c_str(), SFM_READ, &info), nullptr);
            code = sf_error(nullptr);
        }
        return "(error code: " + std::to_string(code) + ")";
    }

    TempSoundFolder folder;
    testsupport::MessageCapture boxes;
};

TEST_P(HostileSoundFile, InPlaceOfTheEngineItSilencesOnlyTheEngine) {
    startWith("jet.wav");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Can't play sample\n" + errorLine("jet.wav"));
    EXPECT_EQ(boxes.boxes()[0].caption, "Error");
    EXPECT_EQ(gEngineSample, 0u);
    EXPECT_NE(gMusicStream, 0u);
    EXPECT_NE(gCrashSample, 0u);
    EXPECT_NE(gShotSample, 0u);
    playCrashSound();
    ALint state = 0;
    alGetSourcei(gCrashSample, AL_SOURCE_STATE, &state);
    EXPECT_EQ(state, AL_PLAYING);
}

TEST_P(HostileSoundFile, InPlaceOfTheMusicTheRaceGoesOnWithoutIt) {
    startWith("musik.mp3");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "No puc crear stream (n sta musik.mp3 a la carpeta data)");
    EXPECT_EQ(boxes.boxes()[1].text, "Can't play stream\n" + errorLine("musik.mp3"));
    EXPECT_EQ(gMusicStream, 0u);
    EXPECT_NE(gEngineSample, 0u);
    EXPECT_EQ(gEngineVolume, 100);
}

INSTANTIATE_TEST_SUITE_P(InData, HostileSoundFile, ::testing::ValuesIn(HOSTILE_SOUNDS),
                         [](const ::testing::TestParamInfo<HostileSound>& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c != '\0'; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) {
                                     name += *c;
                                 }
                             }
                             return name;
                         });

}  // namespace
