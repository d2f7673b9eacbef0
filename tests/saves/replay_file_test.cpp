#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "saves/data_home.h"
#include "saves/replay_file.h"
#include "support/records_fixture.h"

namespace {

using recordstest::TempDataHome;
using recordstest::writeText;

constexpr uint32_t U32_MAX = std::numeric_limits<uint32_t>::max();
constexpr uint8_t ACCELERATE = ReplayControls::ACCELERATE;
constexpr uint8_t LEFT = ReplayControls::LEFT;

std::string le(uint64_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i)));
    }
    return out;
}

std::string raw(std::initializer_list<int> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A file up to its run count: seed 7, then what the format keeps after it
// (the craft's parts, the mode, the difficulty), no laps or race time, hash 0.
std::string head(uint64_t circuit, uint32_t ticks, const std::string& version = "1.0.0",
                 uint32_t format = 1, const std::string& afterSeed = "") {
    return "ZENTRIXR" + le(format, 4) + le(version.size(), 1) + version + le(circuit, 8) +
           le(7, 4) + afterSeed + le(ticks, 4) + std::string(16 + 8, '\0');
}

void addRun(Replay& replay, uint8_t bits, std::size_t ticks) {
    for (std::size_t tick = 0; tick < ticks; ++tick) {
        replay.controls.push_back(ReplayControls{bits});
    }
}

Replay sample() {
    Replay replay{
        "1.0.0", 48213,       0x01020304, {40010, 39000, 41000}, 120010, 0xABCDEF0123456789,
        {},      std::nullopt};
    addRun(replay, ACCELERATE, 3);
    addRun(replay, ACCELERATE | LEFT, 200);
    return replay;
}

TEST(ReplayFile, IsLittleEndianFieldsThenRunsOfControls) {
    const std::string expected = "ZENTRIXR" + raw({1, 0, 0, 0, 5}) + "1.0.0" +
                                 raw({0x55, 0xBC, 0, 0, 0, 0, 0, 0}) + raw({4, 3, 2, 1}) +
                                 raw({203, 0, 0, 0}) + le(40010, 4) + le(39000, 4) + le(41000, 4) +
                                 le(120010, 4) + le(0xABCDEF0123456789, 8) +
                                 raw({2, ACCELERATE, 3, ACCELERATE | LEFT, 0xC8, 0x01});
    EXPECT_EQ(encodeReplay(sample()), expected);
}

TEST(ReplayFile, ReadsBackEverythingItWrites) {
    Replay everyTickDiffers{std::string(16, ' ') + std::string(16, '~'),
                            U32_MAX,
                            U32_MAX,
                            {U32_MAX, U32_MAX, U32_MAX},
                            U32_MAX,
                            UINT64_MAX,
                            {},
                            6};
    for (uint32_t tick = 0; tick < REPLAY_MAX_TICKS; ++tick) {
        everyTickDiffers.controls.push_back(ReplayControls{static_cast<uint8_t>(tick % 32)});
    }
    Replay oneLongRun;
    addRun(oneLongRun, ReplayControls::ALL, REPLAY_MAX_TICKS);
    Replay timeTrial = sample();
    timeTrial.craftParts = 6;
    timeTrial.mode = RaceMode::TimeTrial;
    Replay hard = sample();
    hard.craftParts = 6;
    hard.difficulty = Difficulty::Hard;
    Replay easyTrial = timeTrial;
    easyTrial.difficulty = Difficulty::Easy;
    for (const Replay& replay :
         {Replay{}, sample(), everyTickDiffers, oneLongRun, timeTrial, hard, easyTrial}) {
        const std::string bytes = encodeReplay(replay);
        EXPECT_LE(bytes.size(), REPLAY_FILE_MAX_BYTES);
        const ReplayRead read = decodeReplay(bytes);
        EXPECT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        EXPECT_EQ(read.problem, "");
        EXPECT_TRUE(read.replay == replay) << replay.controls.size() << " ticks";
    }
}

// The craft's parts, known and within a u16, make a version 4 file holding
// them, the mode and the difficulty after the seed; otherwise the file is
// version 1 and they read back unknown.
TEST(ReplayFile, TheCraftsPartsChooseTheFormatVersion) {
    struct Case {
        std::optional<uint32_t> parts;
        uint32_t version;
        std::optional<uint32_t> readBack;
    };
    const std::vector<Case> cases = {{std::nullopt, 1, std::nullopt},
                                     {6, 4, 6},
                                     {0, 4, 0},
                                     {0xFFFF, 4, 0xFFFF},
                                     {0x10000, 1, std::nullopt}};
    const std::size_t seedEnd = 8 + 4 + 1 + 5 + 8 + 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parts ? std::to_string(*c.parts) : "unknown");
        Replay replay = sample();
        replay.craftParts = c.parts;
        const std::string bytes = encodeReplay(replay);
        EXPECT_EQ(bytes.substr(8, 4), le(c.version, 4));
        const std::size_t partsModeAndDifficulty = c.version == 4 ? 4 : 0;
        EXPECT_EQ(bytes.size(), encodeReplay(sample()).size() + partsModeAndDifficulty);
        if (partsModeAndDifficulty != 0) {
            EXPECT_EQ(bytes.substr(seedEnd, 4), le(*c.parts, 2) + raw({0, 1}));
        }
        const ReplayRead read = decodeReplay(bytes);
        ASSERT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        EXPECT_EQ(read.replay.craftParts, c.readBack);
        EXPECT_EQ(read.replay.controls, replay.controls);
    }
}

// Versions 1 and 2 were written before time trials, so they are races;
// versions 1 to 3 before difficulties, so their opponents raced at normal.
TEST(ReplayFile, OlderVersionsAreRacesAtNormal) {
    const struct {
        std::string bytes;
        std::optional<uint32_t> parts;
        RaceMode mode;
        Difficulty difficulty;
    } files[] = {
        {head(0, 10, "1.0.0", 1), std::nullopt, RaceMode::Race, Difficulty::Normal},
        {head(0, 10, "1.0.0", 2, le(6, 2)), 6, RaceMode::Race, Difficulty::Normal},
        {head(0, 10, "1.0.0", 3, le(6, 2) + raw({0})), 6, RaceMode::Race, Difficulty::Normal},
        {head(0, 10, "1.0.0", 3, le(6, 2) + raw({1})), 6, RaceMode::TimeTrial, Difficulty::Normal},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({0, 0})), 6, RaceMode::Race, Difficulty::Easy},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({0, 1})), 6, RaceMode::Race, Difficulty::Normal},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({0, 2})), 6, RaceMode::Race, Difficulty::Hard},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({1, 2})), 6, RaceMode::TimeTrial, Difficulty::Hard},
    };
    for (const auto& file : files) {
        const ReplayRead read = decodeReplay(file.bytes + raw({1, ACCELERATE, 10}));
        ASSERT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        EXPECT_EQ(read.replay.craftParts, file.parts);
        EXPECT_EQ(read.replay.mode, file.mode) << raceModeName(file.mode);
        EXPECT_EQ(read.replay.difficulty, file.difficulty) << difficultyName(file.difficulty);
    }
}

TEST(ReplayFile, AThreeLapRaceOfHumanDrivingTakesUnder16KiB) {
    // Accelerating nearly all the time, steering in taps, braking and firing
    // now and then; the controls change every 1 to 8 ticks.
    std::mt19937 random(48213);
    Replay race = sample();
    race.controls.clear();
    while (race.controls.size() < 16000) {
        const uint32_t roll = random();
        uint8_t bits = roll % 10 == 0 ? ReplayControls::BRAKE : ACCELERATE;
        bits |= (roll >> 4) % 3 == 0 ? LEFT : (roll >> 4) % 3 == 1 ? ReplayControls::RIGHT : 0;
        bits |= (roll >> 8) % 40 == 0 ? ReplayControls::FIRE : 0;
        addRun(race, bits, 1 + (roll >> 16) % 8);
    }
    const std::string bytes = encodeReplay(race);
    EXPECT_LT(bytes.size(), 16u * 1024) << bytes.size();
    EXPECT_TRUE(decodeReplay(bytes).replay == race);
}

struct Refused {
    std::string bytes;
    ReplayStatus status;
    std::string problem;  // part of the one line told
};

TEST(ReplayFile, RefusesDamagedOrHostileBytes) {
    const std::string ten = head(0, 10);
    const std::string good = ten + raw({2, ACCELERATE, 4, ACCELERATE | LEFT, 6});
    const std::string longest = raw({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    const std::vector<Refused> refused = {
        {"", ReplayStatus::NotAReplay, "not a Zentrix replay"},
        {"GIF89a", ReplayStatus::NotAReplay, "not a Zentrix replay"},
        {"ZENT", ReplayStatus::Damaged, "truncated: the file ends within the magic"},
        {"ZENTRIXR\1", ReplayStatus::Damaged, "ends within the format version"},
        {head(0, 10, "1.0.0", 7), ReplayStatus::OtherVersion,
         "replay format version 7; this game reads versions 1 to 4"},
        {head(0, 10, "1.0.0", 5, le(6, 2) + raw({0, 1})), ReplayStatus::OtherVersion,
         "replay format version 5; this game reads versions 1 to 4"},
        {head(0, 10, "1.0.0", 0), ReplayStatus::OtherVersion, "replay format version 0;"},
        {"ZENTRIXR" + le(2, 4) + le(0, 1) + le(0, 8) + le(7, 4) + raw({6}), ReplayStatus::Damaged,
         "ends within the craft parts"},
        {"ZENTRIXR" + le(3, 4) + le(0, 1) + le(0, 8) + le(7, 4) + le(6, 2), ReplayStatus::Damaged,
         "ends within the mode"},
        {head(0, 10, "1.0.0", 3, le(6, 2) + raw({2})) + raw({1, 1, 10}), ReplayStatus::Damaged,
         "mode 0x02 is neither a race (0) nor a time trial (1)"},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({2, 1})) + raw({1, 1, 10}), ReplayStatus::Damaged,
         "mode 0x02 is neither"},
        {"ZENTRIXR" + le(4, 4) + le(0, 1) + le(0, 8) + le(7, 4) + le(6, 2) + raw({0}),
         ReplayStatus::Damaged, "ends within the difficulty"},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({0, 3})) + raw({1, 1, 10}), ReplayStatus::Damaged,
         "difficulty 0x03 is none of easy (0), normal (1) or hard (2)"},
        {head(0, 10, "1.0.0", 4, le(6, 2) + raw({0, 0xFF})) + raw({1, 1, 10}),
         ReplayStatus::Damaged, "difficulty 0xff is none of"},
        {head(0, 10, std::string(33, '1')), ReplayStatus::Damaged, "33 bytes long; at most 32"},
        {head(0, 10, "1.0\n"), ReplayStatus::Damaged, "holds 0x0a, not printable"},
        {good.substr(0, 20), ReplayStatus::Damaged, "ends within the circuit number"},
        {head(U32_MAX + 1ull, 10) + raw({1, 1, 10}), ReplayStatus::Damaged,
         "circuit number 4294967296 is out of range"},
        {head(0, REPLAY_MAX_TICKS + 1) + raw({0}), ReplayStatus::Damaged,
         "216001 ticks is longer than one hour"},
        {ten.substr(0, ten.size() - 1), ReplayStatus::Damaged, "ends within the state hash"},
        {ten + raw({3, 1, 4, 2}), ReplayStatus::Damaged, "truncated: 3 runs cannot fit"},
        {ten + raw({1, 1, 0x85}), ReplayStatus::Damaged, "ends within the length of run 1"},
        {ten + longest + raw({0x80}), ReplayStatus::Damaged, "run count is a varint too long"},
        {ten + raw({0x81, 0x00}), ReplayStatus::Damaged, "run count is a varint with needless"},
        {ten + raw({1, 1}) + longest + raw({1}), ReplayStatus::Damaged,
         "add up to more than the 10 ticks counted"},
        {ten + raw({2, 1, 6, 2, 6}), ReplayStatus::Damaged, "more than the 10 ticks counted"},
        {ten + raw({2, 1, 6, 2, 2}), ReplayStatus::Damaged, "add up to 8 ticks, not the 10"},
        {ten + raw({2, 1, 10, 2, 0}), ReplayStatus::Damaged, "run 2 lasts no ticks"},
        {ten + raw({2, 1, 4, 1, 6}), ReplayStatus::Damaged, "runs 1 and 2 hold the same"},
        {ten + raw({1, 0x21, 10}), ReplayStatus::Damaged, "run 1 (0x21) set bits beyond"},
        {good + "zz", ReplayStatus::Damaged, "2 stray bytes after the last run"},
    };
    ASSERT_EQ(decodeReplay(good).status, ReplayStatus::Valid) << decodeReplay(good).problem;
    for (const Refused& bad : refused) {
        const ReplayRead read = decodeReplay(bad.bytes);
        EXPECT_EQ(read.status, bad.status) << bad.problem;
        EXPECT_NE(read.problem.find(bad.problem), std::string::npos) << read.problem;
        EXPECT_EQ(read.problem.find('\n'), std::string::npos) << read.problem;
        EXPECT_TRUE(read.replay == Replay{}) << bad.problem;
    }
}

struct OnDisk {
    std::string name;  // under the test's folder, or an absolute path
    ReplayStatus status;
    std::string problem;
};

TEST(ReplayFile, ReadsOnlyARegularFileOfSaneSizeWithoutWaiting) {
    TempDataHome home;
    const std::string root = home.root();
    const std::string bytes = encodeReplay(sample());
    writeText(root + "/good.zxr", bytes);
    writeText(root + "/large.zxr", bytes + std::string(REPLAY_FILE_MAX_BYTES, '\0'));
    writeText(root + "/stray.zxr", bytes + "z");
    ASSERT_EQ(mkdir((root + "/folder.zxr").c_str(), 0700), 0);
    ASSERT_EQ(mkfifo((root + "/pipe.zxr").c_str(), 0600), 0);
    ASSERT_EQ(symlink("good.zxr", (root + "/link.zxr").c_str()), 0);
    ASSERT_EQ(symlink("gone.zxr", (root + "/dangling.zxr").c_str()), 0);
    const std::vector<OnDisk> files = {
        {"good.zxr", ReplayStatus::Valid, ""},
        {"link.zxr", ReplayStatus::Valid, ""},
        {"none.zxr", ReplayStatus::Missing, "no replay at " + root + "/none.zxr"},
        {"dangling.zxr", ReplayStatus::Missing, "no replay at"},
        {"folder.zxr", ReplayStatus::Unreadable, "folder.zxr is not a regular file"},
        {"pipe.zxr", ReplayStatus::Unreadable, "pipe.zxr is not a regular file"},
        {"/dev/zero", ReplayStatus::Unreadable, "/dev/zero is not a regular file"},
        {"large.zxr", ReplayStatus::Damaged, "larger than 1048576 bytes, more than any replay"},
        {"stray.zxr", ReplayStatus::Damaged, root + "/stray.zxr: 1 stray byte after"},
    };
    for (const OnDisk& file : files) {
        const std::string path = file.name[0] == '/' ? file.name : root + "/" + file.name;
        const auto start = std::chrono::steady_clock::now();
        const ReplayRead read = readReplayFile(path);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << path;
        EXPECT_EQ(read.status, file.status) << path << ": " << read.problem;
        EXPECT_NE(read.problem.find(file.problem), std::string::npos) << read.problem;
        EXPECT_EQ(read.replay == sample(), file.status == ReplayStatus::Valid) << path;
    }
}

TEST(ReplayFile, IsWrittenInTheReplaysFolderOnlyWhenItReadsBack) {
    TempDataHome home;
    const std::string folder = zentrixReplayFolder();
    EXPECT_EQ(folder, home.folder() + "/replays");
    EXPECT_EQ(bestReplayName(U32_MAX), "best-4294967295.zxr");

    std::string failure;
    ASSERT_TRUE(writeReplayFile(folder, LAST_REPLAY_NAME, sample(), failure)) << failure;
    EXPECT_TRUE(readReplayFile(folder + "/last.zxr").replay == sample());

    Replay tooLong = sample();
    addRun(tooLong, 0, REPLAY_MAX_TICKS);
    EXPECT_FALSE(writeReplayFile(folder, bestReplayName(0), tooLong, failure));
    EXPECT_NE(failure.find("best-0.zxr: 216203 ticks is longer than one hour"), std::string::npos)
        << failure;
    EXPECT_FALSE(std::filesystem::exists(folder + "/best-0.zxr"));

    // A file without the craft's parts could not say it was a time trial.
    Replay timeTrial = sample();
    timeTrial.mode = RaceMode::TimeTrial;
    const std::string name = bestReplayName(48213, RaceMode::TimeTrial);
    EXPECT_EQ(name, "best-time-trial-48213.zxr");
    EXPECT_FALSE(writeReplayFile(folder, name, timeTrial, failure));
    EXPECT_NE(failure.find(name + ": a time trial is kept only with its craft parts known"),
              std::string::npos)
        << failure;
    EXPECT_FALSE(std::filesystem::exists(folder + "/" + name));
    timeTrial.craftParts = 6;
    ASSERT_TRUE(writeReplayFile(folder, name, timeTrial, failure)) << failure;
    EXPECT_TRUE(readReplayFile(folder + "/" + name).replay == timeTrial);
    EXPECT_EQ(bestReplayName(48213), "best-48213.zxr");

    // Nor could it say the opponents raced other than at normal.
    Replay hard = sample();
    hard.difficulty = Difficulty::Hard;
    const std::string hardName = bestReplayName(48213, RaceMode::Race, Difficulty::Hard);
    EXPECT_EQ(hardName, "best-hard-48213.zxr");
    EXPECT_FALSE(writeReplayFile(folder, hardName, hard, failure));
    EXPECT_NE(failure.find(hardName + ": a race at hard is kept only with its craft parts known"),
              std::string::npos)
        << failure;
    EXPECT_FALSE(std::filesystem::exists(folder + "/" + hardName));
    hard.craftParts = 6;
    ASSERT_TRUE(writeReplayFile(folder, hardName, hard, failure)) << failure;
    EXPECT_TRUE(readReplayFile(folder + "/" + hardName).replay == hard);
}

TEST(ReplayFile, TheBestReplayIsNamedByModeAndForARaceByDifficulty) {
    const struct {
        RaceMode mode;
        Difficulty difficulty;
        const char* name;
    } names[] = {
        {RaceMode::Race, Difficulty::Easy, "best-easy-7.zxr"},
        {RaceMode::Race, Difficulty::Normal, "best-7.zxr"},
        {RaceMode::Race, Difficulty::Hard, "best-hard-7.zxr"},
        // No opponents are on the road in a time trial.
        {RaceMode::TimeTrial, Difficulty::Easy, "best-time-trial-7.zxr"},
        {RaceMode::TimeTrial, Difficulty::Normal, "best-time-trial-7.zxr"},
        {RaceMode::TimeTrial, Difficulty::Hard, "best-time-trial-7.zxr"},
    };
    for (const auto& expected : names) {
        EXPECT_EQ(bestReplayName(7, expected.mode, expected.difficulty), expected.name);
    }
}

TEST(ReplayFile, TheFuzzSeedsAreReplays) {
    int seeds = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(ZENTRIX_SOURCE_DIR "/fuzz/seeds")) {
        if (entry.path().extension() != ".zxr") {
            continue;  // the other readers' seeds
        }
        const ReplayRead read = readReplayFile(entry.path());
        EXPECT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
