#include "audio/music_stream.h"

#include <AL/al.h>
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "riff_headers.h"
#include "sound_fixture.h"
#include "support/message_capture.h"
#include "support/test_display.h"

namespace {
constexpr int WAV16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int MP3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
constexpr float MUSIC_GAIN = 0.6f;

// Two different tones whose periods do not fit the length a whole number of
// times, so a gap, a repeat or a lost stretch at the join changes the samples.
std::vector<int16_t> stereoMusic(int frames, int rate) {
    std::vector<int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        samples.push_back(static_cast<int16_t>(12000.0 * std::sin(2.0 * M_PI * 310.0 * t)));
        samples.push_back(static_cast<int16_t>(9000.0 * std::sin(2.0 * M_PI * 470.0 * t + 1.0)));
    }
    return samples;
}

// The whole file decoded at once, as the game used to hold it.
DecodedSound referenceDecode(const TempSoundFolder& folder, const std::string& name) {
    const std::vector<uint8_t> bytes = folder.readBytes(name);
    DecodedSound sound;
    EXPECT_EQ(
        decodeSound(MemorySoundBytes(bytes.data(), bytes.size()), SoundChannels::AsRecorded, sound),
        0);
    return sound;
}

struct MusicFile {
    const char* what;
    int format;
    int channels;
};

void PrintTo(const MusicFile& file, std::ostream* out) {
    *out << file.what;
}

const MusicFile MUSIC_FILES[] = {
    {"StereoWav", WAV16, 2},
    {"StereoMp3", MP3, 2},
    {"MonoWav", WAV16, 1},
};
// What the game's music is: its channels reach the mix as they are, where a
// mono one would be placed and panned like an effect.
const MusicFile STEREO_MUSIC_FILES[] = {
    {"StereoWav", WAV16, 2},
    {"StereoMp3", MP3, 2},
};

std::vector<int16_t> musicOf(const MusicFile& file, int frames) {
    std::vector<int16_t> stereo = stereoMusic(frames, MIX_RATE);
    if (file.channels == 2) {
        return stereo;
    }
    std::vector<int16_t> mono;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        mono.push_back(stereo[i]);
    }
    return mono;
}

class MusicLoop : public ::testing::TestWithParam<MusicFile> {};

// Read in pieces that never line up with the file's end, the loop goes on from
// the first frame exactly where the last one left off.
TEST_P(MusicLoop, ReadingOnPastTheEndContinuesFromTheStartWithNothingLostOrRepeated) {
    TempSoundFolder folder;
    folder.writeFrames("musik.mp3", GetParam().format, MIX_RATE, GetParam().channels,
                       musicOf(GetParam(), 10007));
    const DecodedSound reference = referenceDecode(folder, "musik.mp3");
    ASSERT_FALSE(reference.samples.empty());
    const size_t channels = static_cast<size_t>(reference.channels);
    const size_t length = reference.samples.size() / channels;

    const std::vector<uint8_t> bytes = folder.readBytes("musik.mp3");
    MemorySoundBytes memory(bytes.data(), bytes.size());
    SoundReader reader;
    ASSERT_EQ(reader.open(memory, SoundChannels::AsRecorded), 0);
    ASSERT_EQ(static_cast<size_t>(reader.channels()), channels);

    std::vector<int16_t> streamed;
    std::vector<int16_t> piece(4093 * channels);
    while (streamed.size() < 3 * length * channels + length) {
        ASSERT_EQ(readLooping(reader, piece.data(), 4093), 4093);
        streamed.insert(streamed.end(), piece.begin(), piece.end());
    }
    for (size_t i = 0; i < streamed.size(); ++i) {
        ASSERT_EQ(streamed[i], reference.samples[i % (length * channels)])
            << "frame " << i / channels << ", " << i / channels / length << " loops in";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MusicLoop, ::testing::ValuesIn(MUSIC_FILES),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(MusicLoopEnds, ASoundWithNoFramesFillsNothingInsteadOfSpinning) {
    const std::vector<uint8_t> bytes = riff::wavHeader(2, MIX_RATE, 16, 0);
    MemorySoundBytes memory(bytes.data(), bytes.size());
    SoundReader reader;
    ASSERT_EQ(reader.open(memory, SoundChannels::AsRecorded), 0);
    std::vector<int16_t> piece(2 * 1000);
    EXPECT_EQ(readLooping(reader, piece.data(), 1000), 0);
}

// The mix rendered through a loopback device, refilled once per game tick as
// the frame driver does.
class StreamedMusic : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ensureTestDisplay(); }
    void TearDown() override { shutdownSound(); }

    std::vector<float> tick() {
        updateMusicStream();
        return renderMix(FRAMES_PER_GAME_TICK);
    }

    // Ticks until at least seconds of mix have been rendered.
    std::vector<float> play(double seconds) {
        std::vector<float> mix;
        while (mix.size() < static_cast<size_t>(seconds * MIX_RATE) * 2) {
            const std::vector<float> next = tick();
            mix.insert(mix.end(), next.begin(), next.end());
        }
        return mix;
    }

    ALint sourceState() const {
        ALint state = 0;
        alGetSourcei(gMusicStream, AL_SOURCE_STATE, &state);
        return state;
    }

    testsupport::MessageCapture boxes;
    TempSoundFolder folder;
};

// Each output frame is the file's frame at the same position of the loop, at
// the music's gain, left in left and right in right.
void expectLoopedFile(const std::vector<float>& mix, const DecodedSound& reference) {
    ASSERT_EQ(reference.channels, 2);
    const size_t length = reference.samples.size() / 2;
    ASSERT_GT(mix.size() / 2, 2 * length);
    for (size_t frame = 0; frame < mix.size() / 2; ++frame) {
        for (size_t side = 0; side < 2; ++side) {
            const float expected =
                MUSIC_GAIN * reference.samples[(frame % length) * 2 + side] / 32768.0f;
            ASSERT_NEAR(mix[frame * 2 + side], expected, 2e-5f)
                << "frame " << frame << " (" << frame % length << " into loop " << frame / length
                << "), " << (side == 0 ? "left" : "right");
        }
    }
}

class StreamedMusicFile : public StreamedMusic, public ::testing::WithParamInterface<MusicFile> {};

// 1.3 s of music over 4 s: three joins, each landing inside a buffer.
TEST_P(StreamedMusicFile, TheMixAcrossEachJoinIsTheFilesEndThenItsStart) {
    folder.writeFrames("musik.mp3", GetParam().format, MIX_RATE, GetParam().channels,
                       musicOf(GetParam(), MIX_RATE * 13 / 10));
    const DecodedSound reference = referenceDecode(folder, "musik.mp3");
    ASSERT_EQ(startSoundOnLoopback(), 1);
    EXPECT_EQ(boxes.boxes().size(), 1u);  // only the missing engine's
    expectLoopedFile(play(4.0), reference);
}

INSTANTIATE_TEST_SUITE_P(Files, StreamedMusicFile, ::testing::ValuesIn(STEREO_MUSIC_FILES),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(StreamedMusic, TheGamesOwnMusicJoinsItsEndToItsStart) {
    const std::string data = testsupport::sourcePath("data");
    if (!std::filesystem::exists(data + "/musik.mp3")) {
        GTEST_SKIP() << "the game's data/ is not in this checkout";
    }
    std::filesystem::copy_file(data + "/musik.mp3", folder.path("musik.mp3"));
    const DecodedSound reference = referenceDecode(folder, "musik.mp3");
    ASSERT_EQ(reference.channels, 2);
    ASSERT_EQ(reference.sampleRate, MIX_RATE);
    ASSERT_EQ(startSoundOnLoopback(), 1);

    // One loop and a few seconds more; only the seconds either side of the join are compared.
    const size_t length = reference.samples.size() / 2;
    const std::vector<float> mix = play(static_cast<double>(length) / MIX_RATE + 3.0);
    const size_t from = length - 2 * MIX_RATE;
    const size_t to = length + 2 * MIX_RATE;
    for (size_t frame = from; frame < to; ++frame) {
        for (size_t side = 0; side < 2; ++side) {
            const float expected =
                MUSIC_GAIN * reference.samples[(frame % length) * 2 + side] / 32768.0f;
            ASSERT_NEAR(mix[frame * 2 + side], expected, 2e-5f)
                << "frame " << frame << ", " << static_cast<long>(frame - length)
                << " from the join";
        }
    }
}

// Ten minutes of play at 60 frames a second, rendered far faster than that.
TEST_F(StreamedMusic, RefilledEveryFrameItPlaysForTenMinutesWithoutRunningDry) {
    folder.writeFrames("musik.mp3", WAV16, MIX_RATE, 2, stereoMusic(MIX_RATE * 7 / 3, MIX_RATE));
    ASSERT_EQ(startSoundOnLoopback(), 1);

    constexpr int TEN_MINUTES_OF_TICKS = 10 * 60 * 60;
    long processed = 0;
    int quietTicks = 0;
    for (int t = 0; t < TEN_MINUTES_OF_TICKS; ++t) {
        ALint done = 0;
        alGetSourcei(gMusicStream, AL_BUFFERS_PROCESSED, &done);
        processed += done;
        if (rootMeanSquare(tick()) < 0.05) {
            ++quietTicks;
        }
        ASSERT_EQ(sourceState(), AL_PLAYING) << "tick " << t;
    }
    // Two buffers a second are played and refilled, none left waiting.
    EXPECT_NEAR(processed, 10 * 60 * MusicStream::BUFFERS_PER_SECOND, 2);
    EXPECT_EQ(quietTicks, 0);
    ALint queued = 0;
    alGetSourcei(gMusicStream, AL_BUFFERS_QUEUED, &queued);
    EXPECT_EQ(queued, MusicStream::BUFFER_COUNT);
}

TEST_F(StreamedMusic, AfterAStallLongerThanItsBuffersTheNextFrameStartsItAgain) {
    folder.writeFrames("musik.mp3", WAV16, MIX_RATE, 2, stereoMusic(MIX_RATE * 3, MIX_RATE));
    ASSERT_EQ(startSoundOnLoopback(), 1);
    play(0.5);

    // Three seconds with no frame, as behind a modal box: the ring runs dry.
    renderMix(3 * MIX_RATE);
    EXPECT_EQ(sourceState(), AL_STOPPED);
    EXPECT_LT(rootMeanSquare(renderMix(FRAMES_PER_GAME_TICK)), 1e-6);

    const std::vector<float> resumed = tick();
    EXPECT_EQ(sourceState(), AL_PLAYING);
    EXPECT_GT(rootMeanSquare(resumed), 0.05);
    EXPECT_GT(rootMeanSquare(play(3.0)), 0.05);
}

// Buffers are sized from the rate; a hostile header must not make them gigabytes.
TEST_F(StreamedMusic, AHeaderClaimingTwoBillionFramesASecondStillGetsSmallBuffers) {
    std::vector<uint8_t> bytes = riff::wavHeader(2, 2000000000, 16, 40000);
    bytes.resize(bytes.size() + 40000, 0x35);
    FILE* file = std::fopen(folder.path("musik.mp3").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    ASSERT_EQ(startSoundOnLoopback(), 1);
    EXPECT_NE(gMusicStream, 0u);
    play(0.25);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024);  // kibibytes
}

TEST_F(StreamedMusic, WithNoMusicOrNoDeviceTheFramesRefillNothing) {
    ASSERT_EQ(startSoundOnLoopback(), 1);
    EXPECT_EQ(gMusicStream, 0u);
    for (int t = 0; t < 10; ++t) {
        EXPECT_LT(rootMeanSquare(tick()), 1e-6);
    }
    shutdownSound();
    updateMusicStream();
    EXPECT_EQ(gMusicStream, 0u);
}

// A damaged music file gives the same two boxes, with the same code, as when
// the whole file was decoded before the race.
struct DamagedMusic {
    const char* what;
    std::vector<uint8_t> bytes;
};

void PrintTo(const DamagedMusic& music, std::ostream* out) {
    *out << music.what;
}

std::vector<uint8_t> text(const std::string& words) {
    return std::vector<uint8_t>(words.begin(), words.end());
}

std::vector<uint8_t> cut(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

const DamagedMusic DAMAGED_MUSIC[] = {
    {"EmptyFile", {}},
    {"NotASound", text("ID3 and then a shopping list: eggs, flour, milk")},
    {"WavWithNoFrames", riff::wavHeader(2, MIX_RATE, 16, 0)},
    {"WavCutInsideItsHeader", cut(riff::wavHeader(2, MIX_RATE, 16, 4000), 30)},
    {"WavWithThirtyTwoChannels", riff::wavHeader(32, MIX_RATE, 16, 64)},
};

class DamagedMusicFile : public StreamedMusic,
                         public ::testing::WithParamInterface<DamagedMusic> {};

TEST_P(DamagedMusicFile, GivesTheStreamBoxesWithTheWholeFileDecodersCode) {
    const std::vector<uint8_t>& bytes = GetParam().bytes;
    DecodedSound ignored;
    const int wholeFileCode = decodeSound(MemorySoundBytes(bytes.data(), bytes.size()),
                                          SoundChannels::AsRecorded, ignored);
    ASSERT_NE(wholeFileCode, 0);
    {
        FILE* file = std::fopen(folder.path("musik.mp3").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    folder.writeTone("jet.wav", 440.0, 22050, 0.5);

    ASSERT_EQ(startSoundOnLoopback(), 1);
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, "No puc crear stream (n sta musik.mp3 a la carpeta data)");
    EXPECT_EQ(boxes.boxes()[0].caption, "error");
    EXPECT_EQ(boxes.boxes()[1].text,
              "Can't play stream\n(error code: " + std::to_string(wholeFileCode) + ")");
    EXPECT_EQ(boxes.boxes()[1].caption, "Error");
    EXPECT_EQ(gMusicStream, 0u);
    EXPECT_NE(gEngineSample, 0u);
    tick();
    EXPECT_EQ(boxes.boxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(InData, DamagedMusicFile, ::testing::ValuesIn(DAMAGED_MUSIC),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
