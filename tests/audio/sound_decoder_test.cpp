#include "audio/sound_decoder.h"

#include <AL/al.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <vector>

#include "riff_headers.h"
#include "sound_fixture.h"

namespace {
DecodedSound decode(const std::vector<uint8_t>& bytes, SoundChannels channels, int& problem) {
    DecodedSound sound;
    problem = decodeSound(MemorySoundBytes(bytes.data(), bytes.size()), channels, sound);
    return sound;
}

long decoderPeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

SF_INFO header(sf_count_t frames, int channels, int format) {
    SF_INFO info{};
    info.frames = frames;
    info.channels = channels;
    info.samplerate = 48000;
    info.format = format;
    return info;
}

constexpr int WAV_PCM16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr uint64_t ROOMY = uint64_t{1} << 40;
}  // namespace

// Longer than one decoding chunk, so the fold is checked across chunk seams.
TEST(SoundDecoder, EffectsAreAveragedToMonoAndTheMusicKeepsItsStereo) {
    TempSoundFolder folder;
    constexpr int FRAMES = 40000;
    std::vector<int16_t> stereo;
    for (int i = 0; i < FRAMES; ++i) {
        stereo.push_back(static_cast<int16_t>(i % 3000));
        stereo.push_back(static_cast<int16_t>(-(i % 1777) * 3));
    }
    folder.writeFrames("both.wav", WAV_PCM16, 22050, 2, stereo);
    const std::vector<uint8_t> bytes = folder.readBytes("both.wav");

    int problem = -1;
    const DecodedSound music = decode(bytes, SoundChannels::AsRecorded, problem);
    ASSERT_EQ(problem, 0);
    EXPECT_EQ(music.channels, 2);
    EXPECT_EQ(music.sampleRate, 22050);
    EXPECT_EQ(music.samples, stereo);

    const DecodedSound effect = decode(bytes, SoundChannels::Mono, problem);
    ASSERT_EQ(problem, 0);
    EXPECT_EQ(effect.channels, 1);
    ASSERT_EQ(effect.samples.size(), static_cast<size_t>(FRAMES));
    for (int i = 0; i < FRAMES; ++i) {
        const int sum = stereo[2 * i] + stereo[2 * i + 1];
        ASSERT_EQ(effect.samples[i], sum / 2) << "frame " << i;
    }
}

TEST(SoundDecoder, MoreThanTwoChannelsAreFoldedEvenForTheMusic) {
    TempSoundFolder folder;
    const std::vector<int16_t> surround = {300, -600, 1200, 7, 8, 9};
    folder.writeFrames("three.wav", WAV_PCM16, 44100, 3, surround);

    int problem = -1;
    const DecodedSound music =
        decode(folder.readBytes("three.wav"), SoundChannels::AsRecorded, problem);
    ASSERT_EQ(problem, 0);
    EXPECT_EQ(music.channels, 1);
    EXPECT_EQ(music.samples, (std::vector<int16_t>{300, 8}));
}

TEST(SoundDecoder, AHeaderIsJudgedBeforeAnythingIsSized) {
    // Fifteen minutes at 48 kHz is the most the game keeps.
    EXPECT_EQ(soundHeaderProblem(header(SOUND_FRAME_BUDGET, 2, WAV_PCM16), ROOMY), 0);
    EXPECT_EQ(soundHeaderProblem(header(SOUND_FRAME_BUDGET + 1, 2, WAV_PCM16), ROOMY),
              AL_OUT_OF_MEMORY);
    EXPECT_EQ(soundHeaderProblem(header(-5, 1, WAV_PCM16), ROOMY), AL_OUT_OF_MEMORY);
    // 7.1 is the widest layout the game takes.
    EXPECT_EQ(soundHeaderProblem(header(100, 8, WAV_PCM16), ROOMY), 0);
    EXPECT_EQ(soundHeaderProblem(header(100, 9, WAV_PCM16), ROOMY), SF_ERR_UNSUPPORTED_ENCODING);
    EXPECT_EQ(soundHeaderProblem(header(100, 0, WAV_PCM16), ROOMY), SF_ERR_UNRECOGNISED_FORMAT);

    // Uncompressed samples cannot outnumber the file's bytes.
    EXPECT_EQ(soundHeaderProblem(header(1000, 2, WAV_PCM16), 4000), 0);
    EXPECT_EQ(soundHeaderProblem(header(1000, 2, WAV_PCM16), 3999), SF_ERR_MALFORMED_FILE);
    EXPECT_EQ(soundHeaderProblem(header(1000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_24), 2999),
              SF_ERR_MALFORMED_FILE);
    EXPECT_EQ(soundHeaderProblem(header(1000, 1, SF_FORMAT_AIFF | SF_FORMAT_DOUBLE), 7999),
              SF_ERR_MALFORMED_FILE);
    // A compressed sound's length is only known once decoded.
    EXPECT_EQ(soundHeaderProblem(header(1000000, 2, SF_FORMAT_FLAC | SF_FORMAT_PCM_16), 500), 0);
    EXPECT_EQ(
        soundHeaderProblem(header(SF_COUNT_MAX, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III), 500),
        0);
}

// A FLAC header may claim any length; this one claims a day in a few hundred bytes.
TEST(SoundDecoder, ACompressedSoundClaimingADayIsRefusedBeforeAnythingIsAllocated) {
    TempSoundFolder folder;
    folder.writeFrames("day.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 22050, 1,
                       std::vector<int16_t>(1000, 100));
    std::vector<uint8_t> bytes = folder.readBytes("day.flac");
    ASSERT_GT(bytes.size(), 26u);
    ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "fLaC");
    // STREAMINFO's 36-bit sample count ends its rate/channels/depth/length field.
    const uint64_t claimed = uint64_t{24} * 3600 * 22050;
    bytes[21] = static_cast<uint8_t>((bytes[21] & 0xF0) | (claimed >> 32));
    for (int i = 0; i < 4; ++i) {
        bytes[22 + i] = static_cast<uint8_t>(claimed >> (24 - 8 * i));
    }

    const long before = decoderPeakKilobytes();
    int problem = 0;
    const DecodedSound sound = decode(bytes, SoundChannels::Mono, problem);
    EXPECT_EQ(problem, AL_OUT_OF_MEMORY);
    EXPECT_TRUE(sound.samples.empty());
    EXPECT_LT(decoderPeakKilobytes() - before, 100 * 1024);
}

TEST(SoundDecoder, DamagedBytesFailWithTheDecodersCodeAndNothingDecoded) {
    TempSoundFolder folder;
    folder.writeTone("tone.wav", 440.0, 22050, 0.2);
    const std::vector<uint8_t> whole = folder.readBytes("tone.wav");

    const std::vector<std::vector<uint8_t>> damaged = {
        {},
        std::vector<uint8_t>(whole.begin(), whole.begin() + 30),  // cut inside the header
        riff::wavHeader(1, 22050, 16, 0),                         // no samples at all
        riff::rf64Header(1024, 48000, 16, 1 << 20, 1 << 20),      // channels beyond any layout
        std::vector<uint8_t>(4096, 0xFF),
    };
    for (size_t i = 0; i < damaged.size(); ++i) {
        int problem = 0;
        const DecodedSound sound = decode(damaged[i], SoundChannels::Mono, problem);
        EXPECT_NE(problem, 0) << "case " << i;
        EXPECT_TRUE(sound.samples.empty()) << "case " << i;
        EXPECT_EQ(sound.channels, 0) << "case " << i;
    }
}
