#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include "saves/records_store.h"
#include "saves/records_text.h"
#include "saves/saved_file.h"
#include "support/records_fixture.h"

namespace {

using recordstest::lineCount;
using recordstest::namesIn;
using recordstest::racesOnly;
using recordstest::readText;
using recordstest::StderrCapture;
using recordstest::TempDataHome;
using recordstest::writeText;

constexpr uint32_t CLASSIC = 0;
const uint32_t GOOD_RACE[3] = {41250, 40010, 42000};
const uint32_t BETTER_RACE[3] = {40000, 39000, 40000};
const uint32_t SLOWER_RACE[3] = {50000, 50000, 50000};
const std::string GOOD_TEXT =
    "zentrix-records 4\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n";
const MedalTimes MEDALS = {40000, 44000, 50000, 60000};
const std::string TRIAL_AND_MEDALS_LINES =
    "time-trial 0 best-lap-ms 39000 best-race-ms 119000\n"
    "medals 0 pilot-ms 40000 gold-ms 44000 silver-ms 50000 bronze-ms 60000\n";
// The same records as the game wrote them before difficulties, before time
// trials, and before circuits were numbered.
const std::string GOOD_V3_TEXT =
    "zentrix-records 3\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n" + TRIAL_AND_MEDALS_LINES;
const std::string GOOD_V2_TEXT =
    "zentrix-records 2\ncircuit 0 best-lap-ms 40010 best-race-ms 123260\n";
const std::string GOOD_OLDER_TEXT = "zentrix-records 1\nbest-lap-ms 40010\nbest-race-ms 123260\n";

bool recordsTextContains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info;
}

// ---------------------------------------------------------------- keeping them

TEST(RecordsStore, AFirstRunHasNoRecordsAndCreatesNothing) {
    TempDataHome home;
    StderrCapture errors;
    const RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(CLASSIC), Records{});
    EXPECT_EQ(store.filePath(), home.file());
    EXPECT_EQ(errors.text(), "");
    EXPECT_TRUE(namesIn(home.root()).empty());
}

TEST(RecordsStore, RecordsSurviveToTheNextRunInAPrivateFolder) {
    TempDataHome home;
    StderrCapture errors;
    {
        RecordsStore store = loadPlayerRecords();
        EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    }
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
    EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{"records.txt"});
    EXPECT_EQ(statOf(home.dataHome()).st_mode & 0777, 0700u);
    EXPECT_EQ(statOf(home.folder()).st_mode & 0777, 0700u);

    const RecordsStore nextRun = loadPlayerRecords();
    EXPECT_EQ(nextRun.records(CLASSIC), (Records{40010, 123260}));
    EXPECT_EQ(errors.text(), "");
}

TEST(RecordsStore, OnlyABeatenRecordRewritesTheFile) {
    TempDataHome home;
    RecordsStore store = loadPlayerRecords();
    store.offerRace(CLASSIC, GOOD_RACE);
    const struct stat before = statOf(home.file());

    EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any());
    EXPECT_FALSE(store.offerRace(CLASSIC, GOOD_RACE).any());
    const struct stat untouched = statOf(home.file());
    EXPECT_EQ(untouched.st_ino, before.st_ino);
    EXPECT_EQ(untouched.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(untouched.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE).any());
    // A new file renamed into place, never the old one rewritten.
    EXPECT_NE(statOf(home.file()).st_ino, before.st_ino);
    EXPECT_EQ(readText(home.file()), formatRecords(racesOnly({{CLASSIC, Records{39000, 119000}}})));
}

TEST(RecordsStore, EachCircuitKeepsItsOwnRecords) {
    TempDataHome home;
    {
        RecordsStore store = loadPlayerRecords();
        EXPECT_TRUE(store.offerRace(4294967295u, BETTER_RACE).any());
        EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
        EXPECT_TRUE(store.offerRace(48213, SLOWER_RACE).any()) << "a circuit's first race";
        EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any()) << "beaten on another circuit";
    }
    EXPECT_EQ(readText(home.file()),
              GOOD_TEXT +
                  "circuit 48213 best-lap-ms 50000 best-race-ms 150000\n"
                  "circuit 4294967295 best-lap-ms 39000 best-race-ms 119000\n");
    const RecordsStore nextRun = loadPlayerRecords();
    EXPECT_EQ(nextRun.records(4294967295u), (Records{39000, 119000}));
    EXPECT_EQ(nextRun.records(1), Records{}) << "never raced";
}

TEST(RecordsStore, TimeTrialsAreKeptApartFromRacesAndMedalTimesToTheNextRun) {
    TempDataHome home;
    {
        RecordsStore store = loadPlayerRecords();
        EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
        EXPECT_TRUE(store.offerRace(CLASSIC, SLOWER_RACE, RaceMode::TimeTrial).any())
            << "the circuit's first time trial";
        EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any());
        EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE, RaceMode::TimeTrial).any());
        EXPECT_EQ(store.records(CLASSIC), (Records{40010, 123260}));
        EXPECT_EQ(store.records(CLASSIC, RaceMode::TimeTrial), (Records{39000, 119000}));

        EXPECT_EQ(store.medals(CLASSIC), std::nullopt);
        store.keepMedals(CLASSIC, MEDALS);
        store.keepMedals(48213, MedalTimes{40000, 40000, 50000, 60000});
        EXPECT_EQ(store.medals(CLASSIC), MEDALS);
        EXPECT_EQ(store.medals(48213), std::nullopt) << "times out of order are not kept";
        // The same times again leave the file as it is.
        const ino_t before = statOf(home.file()).st_ino;
        store.keepMedals(CLASSIC, MEDALS);
        EXPECT_EQ(statOf(home.file()).st_ino, before);
    }
    EXPECT_EQ(readText(home.file()), GOOD_TEXT + TRIAL_AND_MEDALS_LINES);
    const RecordsStore nextRun = loadPlayerRecords();
    EXPECT_EQ(nextRun.records(CLASSIC), (Records{40010, 123260}));
    EXPECT_EQ(nextRun.records(CLASSIC, RaceMode::TimeTrial), (Records{39000, 119000}));
    EXPECT_EQ(nextRun.medals(CLASSIC), MEDALS);
}

// Each difficulty keeps its own race records; a time trial has no opponents,
// so its records are the same at any difficulty.
TEST(RecordsStore, RacesAtEachDifficultyAreKeptApartToTheNextRun) {
    TempDataHome home;
    {
        RecordsStore store = loadPlayerRecords();
        EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
        EXPECT_TRUE(store.offerRace(CLASSIC, SLOWER_RACE, RaceMode::Race, Difficulty::Hard).any())
            << "the circuit's first race at hard";
        EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE, RaceMode::Race, Difficulty::Easy).any());
        EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE, RaceMode::Race, Difficulty::Easy).any());
        EXPECT_TRUE(
            store.offerRace(CLASSIC, BETTER_RACE, RaceMode::TimeTrial, Difficulty::Hard).any());
        EXPECT_FALSE(
            store.offerRace(CLASSIC, BETTER_RACE, RaceMode::TimeTrial, Difficulty::Easy).any())
            << "the same time trial at another difficulty";
        EXPECT_EQ(store.records(CLASSIC, RaceMode::Race, Difficulty::Hard),
                  (Records{50000, 150000}));
    }
    EXPECT_EQ(readText(home.file()), GOOD_TEXT +
                                         "circuit-easy 0 best-lap-ms 39000 best-race-ms 119000\n"
                                         "circuit-hard 0 best-lap-ms 50000 best-race-ms 150000\n"
                                         "time-trial 0 best-lap-ms 39000 best-race-ms 119000\n");
    const RecordsStore nextRun = loadPlayerRecords();
    const struct {
        RaceMode mode;
        Difficulty difficulty;
        Records kept;
    } expected[] = {
        {RaceMode::Race, Difficulty::Easy, {39000, 119000}},
        {RaceMode::Race, Difficulty::Normal, {40010, 123260}},
        {RaceMode::Race, Difficulty::Hard, {50000, 150000}},
        {RaceMode::TimeTrial, Difficulty::Easy, {39000, 119000}},
        {RaceMode::TimeTrial, Difficulty::Normal, {39000, 119000}},
        {RaceMode::TimeTrial, Difficulty::Hard, {39000, 119000}},
    };
    for (const auto& sample : expected) {
        EXPECT_EQ(nextRun.records(CLASSIC, sample.mode, sample.difficulty), sample.kept)
            << raceModeName(sample.mode) << " at " << difficultyName(sample.difficulty);
    }
}

// Written before difficulties, a version 3 file's races are at normal; it is
// left as it is until a record is beaten.
TEST(RecordsStore, AVersion3FileIsReadAtNormalAndRewrittenOnlyWhenARecordIsBeaten) {
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), GOOD_V3_TEXT);
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(CLASSIC), (Records{40010, 123260}));
    EXPECT_EQ(store.records(CLASSIC, RaceMode::Race, Difficulty::Easy), Records{});
    EXPECT_EQ(store.records(CLASSIC, RaceMode::Race, Difficulty::Hard), Records{});
    EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any());
    EXPECT_EQ(readText(home.file()), GOOD_V3_TEXT);

    EXPECT_TRUE(store.offerRace(CLASSIC, SLOWER_RACE, RaceMode::Race, Difficulty::Hard).any());
    EXPECT_EQ(readText(home.file()), GOOD_TEXT +
                                         "circuit-hard 0 best-lap-ms 50000 best-race-ms 150000\n" +
                                         TRIAL_AND_MEDALS_LINES);
}

// A file of races only stays so until a time trial or medal times are new.
TEST(RecordsStore, AVersion2FileIsRewrittenOnlyWhenSomethingNewIsSaved) {
    const uint32_t unfinished[3] = {30000, 30000, 0};
    const struct {
        const char* what;
        void (*save)(RecordsStore&);
        std::string rewritten;
    } news[] = {
        {"a time trial",
         [](RecordsStore& store) { store.offerRace(CLASSIC, BETTER_RACE, RaceMode::TimeTrial); },
         GOOD_TEXT + "time-trial 0 best-lap-ms 39000 best-race-ms 119000\n"},
        {"medal times", [](RecordsStore& store) { store.keepMedals(CLASSIC, MEDALS); },
         GOOD_TEXT + TRIAL_AND_MEDALS_LINES.substr(TRIAL_AND_MEDALS_LINES.find("medals"))},
    };
    for (const auto& sample : news) {
        SCOPED_TRACE(sample.what);
        TempDataHome home;
        std::filesystem::create_directories(home.folder());
        writeText(home.file(), GOOD_V2_TEXT);
        RecordsStore store = loadPlayerRecords();
        EXPECT_EQ(store.records(CLASSIC), (Records{40010, 123260}));
        EXPECT_EQ(store.records(CLASSIC, RaceMode::TimeTrial), Records{});

        EXPECT_FALSE(store.offerRace(CLASSIC, unfinished, RaceMode::TimeTrial).any());
        EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any());
        store.keepMedals(CLASSIC, MedalTimes{});
        EXPECT_EQ(readText(home.file()), GOOD_V2_TEXT);

        sample.save(store);
        EXPECT_EQ(readText(home.file()), sample.rewritten);
    }
}

TEST(RecordsStore, AnOlderFileIsTheClassicsAndIsRewrittenOnlyWhenARecordIsBeaten) {
    const struct {
        uint32_t circuit;
        uint32_t laps[3];
        std::string rewritten;
    } beaten[] = {
        {CLASSIC, {40000, 39000, 40000}, formatRecords(racesOnly({{CLASSIC, {39000, 119000}}}))},
        {9, {50000, 50000, 50000}, GOOD_TEXT + "circuit 9 best-lap-ms 50000 best-race-ms 150000\n"},
    };
    for (const auto& sample : beaten) {
        TempDataHome home;
        std::filesystem::create_directories(home.folder());
        writeText(home.file(), GOOD_OLDER_TEXT);
        RecordsStore store = loadPlayerRecords();
        EXPECT_EQ(store.records(CLASSIC), (Records{40010, 123260}));

        const ino_t before = statOf(home.file()).st_ino;
        const uint32_t unfinished[3] = {30000, 30000, 0};
        EXPECT_FALSE(store.offerRace(CLASSIC, SLOWER_RACE).any());
        EXPECT_FALSE(store.offerRace(9, unfinished).any());
        EXPECT_EQ(statOf(home.file()).st_ino, before);
        EXPECT_EQ(readText(home.file()), GOOD_OLDER_TEXT);

        EXPECT_TRUE(store.offerRace(sample.circuit, sample.laps).any());
        EXPECT_EQ(readText(home.file()), sample.rewritten);
    }
}

TEST(RecordsStore, AFileHoldsAsManyCircuitsAsItMayAndTheRestLastTheRun) {
    TempDataHome home;
    constexpr uint32_t LAST = 4294967295u;
    CircuitRecords most;  // every number at its longest
    for (uint32_t step = 0; step < RECORDS_MAX_CIRCUITS; ++step) {
        most[LAST - step] = Records{LAST / 3, LAST};
    }
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), formatRecords(racesOnly(most)));

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(LAST), (Records{LAST / 3, LAST}));
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    EXPECT_FALSE(store.offerRace(CLASSIC, GOOD_RACE).any()) << "kept for the run";
    EXPECT_TRUE(store.offerRace(1, GOOD_RACE).any());
    EXPECT_EQ(readText(home.file()), formatRecords(racesOnly(most)));
    // A circuit the file holds is still saved, and the limit told only once.
    EXPECT_TRUE(store.offerRace(LAST, BETTER_RACE).any());
    most[LAST] = Records{39000, 119000};
    EXPECT_EQ(readText(home.file()), formatRecords(racesOnly(most)));
    // Time trials, medals and races at each difficulty are counted apart from
    // races at normal.
    EXPECT_TRUE(store.offerRace(1, GOOD_RACE, RaceMode::TimeTrial).any());
    store.keepMedals(1, MEDALS);
    EXPECT_TRUE(store.offerRace(1, GOOD_RACE, RaceMode::Race, Difficulty::Hard).any());
    EXPECT_EQ(
        readText(home.file()),
        formatRecords({most, {{1, {40010, 123260}}}, {{1, MEDALS}}, {}, {{1, {40010, 123260}}}}));
    EXPECT_EQ(lineCount(errors.text()), 1) << errors.text();
    EXPECT_TRUE(recordsTextContains(errors.text(), "50000 circuits")) << errors.text();

    // One circuit more is no file the game writes.
    most[CLASSIC] = Records{40010, 123260};
    writeText(home.file(), formatRecords(racesOnly(most)));
    EXPECT_EQ(loadPlayerRecords().records(LAST), Records{});
    EXPECT_TRUE(recordsTextContains(errors.text(), "line 50002: more than 50000 circuits"))
        << errors.text();
}

// ------------------------------------------------ files that cannot be trusted

struct UntrustedFile {
    const char* name;
    std::string text;
    const char* asideLabel;
    const char* told;
};

class RecordsStoreUntrustedFile : public testing::TestWithParam<UntrustedFile> {};

TEST_P(RecordsStoreUntrustedFile, IsKeptAsideToldOnceAndTheRaceStartsWithNoRecords) {
    const UntrustedFile& sample = GetParam();
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), sample.text);

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(CLASSIC), Records{});

    const auto aside =
        namesIn(home.folder(), std::string("records.txt.") + sample.asideLabel + "-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(namesIn(home.folder()).size(), 1u) << "records.txt moved, not copied";
    const std::string asidePath = home.folder() + "/" + aside[0];
    EXPECT_EQ(readText(asidePath), sample.text);

    const std::string told = errors.text();
    EXPECT_EQ(lineCount(told), 1) << told;
    EXPECT_TRUE(recordsTextContains(told, home.file())) << told;
    EXPECT_TRUE(recordsTextContains(told, asidePath)) << told;
    EXPECT_TRUE(recordsTextContains(told, sample.told)) << told;

    // The next record is saved fresh beside the kept copy.
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
    EXPECT_EQ(readText(asidePath), sample.text);
    EXPECT_EQ(lineCount(errors.text()), 1);
}

const std::string RECORDS_HEADER = "zentrix-records 1\n";

INSTANTIATE_TEST_SUITE_P(
    Samples, RecordsStoreUntrustedFile,
    testing::Values(
        UntrustedFile{"BadSyntax", "best lap: 0:40:010\n", "corrupt", "line 1"},
        UntrustedFile{"BadNumber", RECORDS_HEADER + "best-lap-ms 4001O\nbest-race-ms 123260\n",
                      "corrupt", "bad number"},
        UntrustedFile{"TrailingJunk", GOOD_OLDER_TEXT + "best-race-ms 1\n", "corrupt",
                      "after line 3"},
        UntrustedFile{"Duplicate", RECORDS_HEADER + "best-lap-ms 40010\nbest-lap-ms 40010\n",
                      "corrupt", "line 3"},
        UntrustedFile{"OutOfRange", RECORDS_HEADER + "best-lap-ms 40010\nbest-race-ms 4294967296\n",
                      "corrupt", "bad number"},
        UntrustedFile{"Impossible", RECORDS_HEADER + "best-lap-ms 50000\nbest-race-ms 123260\n",
                      "corrupt", "three best laps"},
        UntrustedFile{"Truncated", GOOD_OLDER_TEXT.substr(0, 30), "corrupt", "cut short"},
        UntrustedFile{"Empty", "", "corrupt", "empty"},
        UntrustedFile{"CircuitTwice",
                      GOOD_TEXT + "circuit 0 best-lap-ms 30000 best-race-ms 90000\n", "corrupt",
                      "listed twice"},
        UntrustedFile{"Oversized", GOOD_TEXT + std::string(RECORDS_TEXT_MAX_BYTES, '\n'), "corrupt",
                      "larger than"},
        UntrustedFile{"NewerVersion", "zentrix-records 5\ncircuit 0 laps 40010 ghosts 3\n", "newer",
                      "newer version"}),
    [](const testing::TestParamInfo<UntrustedFile>& info) { return info.param.name; });

TEST(RecordsStore, AnUnreadableFileIsKeptAsideWhole) {
    TempDataHome home;
    // A folder where the file should be cannot be read even by root.
    std::filesystem::create_directories(home.file());
    writeText(home.file() + "/inside", "kept");

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(CLASSIC), Records{});
    const auto aside = namesIn(home.folder(), "records.txt.corrupt-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readText(home.folder() + "/" + aside[0] + "/inside"), "kept");
    EXPECT_EQ(lineCount(errors.text()), 1);
    EXPECT_TRUE(recordsTextContains(errors.text(), "cannot be read")) << errors.text();
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
}

TEST(RecordsStore, KeptAsideFilesNeverReplaceOneAnother) {
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    const std::time_t leapDayLastSecond = 1709251199;  // 2024-02-29 23:59:59 UTC
    const std::string expected[] = {".corrupt-20240229-235959", ".corrupt-20240229-235959-2",
                                    ".corrupt-20240229-235959-3"};
    for (int copy = 0; copy < 3; ++copy) {
        writeText(home.file(), "damaged " + std::to_string(copy));
        std::string failure;
        EXPECT_EQ(moveAside(home.file(), "corrupt", leapDayLastSecond, failure),
                  home.file() + expected[copy]);
        EXPECT_EQ(failure, "");
    }
    for (int copy = 0; copy < 3; ++copy) {
        EXPECT_EQ(readText(home.file() + expected[copy]), "damaged " + std::to_string(copy));
    }

    // Through the game too, twice within a second or not.
    StderrCapture errors;
    for (int run = 0; run < 2; ++run) {
        writeText(home.file(), "damaged by run " + std::to_string(run));
        loadPlayerRecords();
    }
    EXPECT_EQ(namesIn(home.folder(), "records.txt.corrupt-").size(), 5u);
    EXPECT_EQ(lineCount(errors.text()), 2);
    EXPECT_FALSE(std::filesystem::exists(home.file()));
}

// ------------------------------------------------------ nowhere to save them

TEST(RecordsStore, ADataHomeBlockedByAFileIsToldOnceAndTheRaceGoesOn) {
    TempDataHome home;
    writeText(home.dataHome(), "not a folder");

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(errors.text(), "") << "nothing is saved yet, so nothing is wrong yet";
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE).any())
        << "the finish panel still hears of it";
    EXPECT_EQ(store.records(CLASSIC), (Records{39000, 119000}));

    const std::string told = errors.text();
    EXPECT_EQ(lineCount(told), 1) << told;
    EXPECT_TRUE(recordsTextContains(told, "cannot save records")) << told;
    EXPECT_EQ(readText(home.dataHome()), "not a folder");
    EXPECT_EQ(namesIn(home.root()), std::vector<std::string>{"data"});
}

TEST(RecordsStore, AReadOnlyFolderIsToldOnceAndKeepsItsFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root; the blocked data home covers this";
    }
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), GOOD_TEXT);
    chmod(home.folder().c_str(), 0500);

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_EQ(store.records(CLASSIC), (Records{40010, 123260}));
    EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE).any());
    const uint32_t evenBetter[3] = {30000, 30000, 30000};
    EXPECT_TRUE(store.offerRace(CLASSIC, evenBetter).any());
    chmod(home.folder().c_str(), 0700);

    EXPECT_EQ(lineCount(errors.text()), 1) << errors.text();
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
    EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{"records.txt"});
}

TEST(RecordsStore, ACorruptFileThatCannotBeMovedAsideIsNeverOverwritten) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root from moving the file";
    }
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), "damaged");
    chmod(home.folder().c_str(), 0500);

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    chmod(home.folder().c_str(), 0700);
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());

    EXPECT_EQ(lineCount(errors.text()), 1) << errors.text();
    EXPECT_TRUE(recordsTextContains(errors.text(), "saving none")) << errors.text();
    EXPECT_EQ(readText(home.file()), "damaged");
}

TEST(RecordsStore, WithoutAnyDataHomeTheRaceGoesOnAndSaysSoOnce) {
    TempDataHome home;
    recordstest::EnvironmentVariable noHome("HOME", nullptr);
    recordstest::EnvironmentVariable noDataHome("XDG_DATA_HOME", "");

    StderrCapture errors;
    RecordsStore store = loadPlayerRecords();
    EXPECT_TRUE(store.offerRace(CLASSIC, GOOD_RACE).any());
    EXPECT_TRUE(store.offerRace(CLASSIC, BETTER_RACE).any());
    EXPECT_EQ(lineCount(errors.text()), 1) << errors.text();
    EXPECT_TRUE(recordsTextContains(errors.text(), "XDG_DATA_HOME")) << errors.text();
}

// ------------------------------------------------------------ atomic writing

TEST(AtomicWrite, AFailedRenameLeavesTheOldEntryAndNoTemporary) {
    TempDataHome home;
    std::filesystem::create_directories(home.file());
    writeText(home.file() + "/inside", "kept");

    std::string failure;
    EXPECT_FALSE(writeFileAtomically(home.folder(), "records.txt", GOOD_TEXT, failure));
    EXPECT_TRUE(recordsTextContains(failure, "cannot replace")) << failure;
    EXPECT_EQ(readText(home.file() + "/inside"), "kept");
    EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{"records.txt"});
}

TEST(AtomicWrite, AWriteCutShortLeavesTheOldFileAndNoTemporary) {
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    writeText(home.file(), GOOD_TEXT);

    // The file-size limit stops root too; the writer runs in a child so the
    // limit never reaches this test program's own files.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit tenBytes = {10, 10};
        setrlimit(RLIMIT_FSIZE, &tenBytes);
        std::string failure;
        const bool written =
            writeFileAtomically(home.folder(), "records.txt",
                                formatRecords(racesOnly({{CLASSIC, Records{1, 3}}})), failure);
        _exit(!written && failure.find("cannot write") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
    EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{"records.txt"});
}

TEST(AtomicWrite, TemporariesOfWritersThatAreGoneAreClearedByTheNextWrite) {
    TempDataHome home;
    std::filesystem::create_directories(home.folder());
    const pid_t gone = fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string folder = home.folder() + "/";
    const std::string goneWriter = "records.txt.tmp-" + std::to_string(gone);
    const std::string earlierRunOfOurId = "records.txt.tmp-" + std::to_string(getpid());
    const std::string liveWriter = "records.txt.tmp-" + std::to_string(getppid());
    for (const std::string& name :
         {goneWriter, earlierRunOfOurId, liveWriter, std::string("records.txt.tmp-0"),
          std::string("records.txt.tmp-notes"), "notes.txt.tmp-" + std::to_string(gone)}) {
        writeText(folder + name, "half a reco");
    }

    std::string failure;
    ASSERT_TRUE(writeFileAtomically(home.folder(), "records.txt", GOOD_TEXT, failure)) << failure;
    EXPECT_EQ(readText(home.file()), GOOD_TEXT);
    const std::vector<std::string> left = {"notes.txt.tmp-" + std::to_string(gone), "records.txt",
                                           "records.txt.tmp-0", liveWriter,
                                           "records.txt.tmp-notes"};
    std::vector<std::string> sortedLeft = left;
    std::sort(sortedLeft.begin(), sortedLeft.end());
    EXPECT_EQ(namesIn(home.folder()), sortedLeft);
}

}  // namespace
