#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "saves/championship_file.h"
#include "saves/championship_store.h"
#include "support/records_fixture.h"

namespace {

using recordstest::lineCount;
using recordstest::namesIn;
using recordstest::readText;
using recordstest::StderrCapture;
using recordstest::TempDataHome;
using recordstest::writeText;

constexpr uint32_t LAST = 4294967295u;

// Two races into championship 12 at hard: the player leads.
ChampionshipProgress halfWay() {
    return ChampionshipProgress{12, Difficulty::Hard, 2, {18, 16, 9, 4, 2, 0}, {1, 2, 3, 4, 6, 5}};
}

const std::string HALF_WAY_LINE =
    "current 12 difficulty hard races-run 2 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n";
const std::string HEADER = "zentrix-championship 1\n";
const std::string BEST_LINE = "best 12 difficulty easy place 2 points 31\n";

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string championshipFile(const TempDataHome& home) {
    return home.folder() + "/championship.txt";
}

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
    return info.st_ino;
}

// ------------------------------------------------------------------ the text

TEST(ChampionshipText, IsTheCurrentLineThenEachBestInOrder) {
    ChampionshipFile file;
    file.current = halfWay();
    file.best[{LAST, Difficulty::Easy}] = {6, 0};
    file.best[{12, Difficulty::Hard}] = {1, 40};
    file.best[{12, Difficulty::Easy}] = {2, 31};
    file.best[{3, Difficulty::Normal}] = {7, 10};  // no such place: left out
    EXPECT_EQ(formatChampionships(file), HEADER + HALF_WAY_LINE + BEST_LINE +
                                             "best 12 difficulty hard place 1 points 40\n"
                                             "best 4294967295 difficulty easy place 6 points 0\n");
}

TEST(ChampionshipText, ReadsBackEverythingItWrites) {
    ChampionshipFile full;
    full.current = ChampionshipProgress{
        LAST, Difficulty::Normal, 3, {40, 40, 40, 40, 40, 40}, {6, 5, 4, 3, 2, 1}};
    for (uint32_t step = 0; step < CHAMPIONSHIP_MAX_KEPT / 2; ++step) {
        full.best[{LAST - step, Difficulty::Normal}] = {6, 40};
        full.best[{LAST - step, Difficulty::Easy}] = {1, 39};
    }
    ChampionshipFile onlyProgress;
    onlyProgress.current = halfWay();
    ChampionshipFile onlyBest;
    onlyBest.best[{0, Difficulty::Easy}] = {3, 12};
    for (const ChampionshipFile& file : {ChampionshipFile{}, onlyProgress, onlyBest, full}) {
        const std::string text = formatChampionships(file);
        EXPECT_LE(text.size(), CHAMPIONSHIP_TEXT_MAX_BYTES);
        const ParsedChampionships parsed = parseChampionships(text);
        EXPECT_EQ(parsed.status, ChampionshipTextStatus::Valid) << parsed.problem;
        EXPECT_EQ(parsed.problem, "");
        EXPECT_TRUE(parsed.file == file) << text.substr(0, 200);
    }
}

// Progress the file could not read back is never written.
TEST(ChampionshipText, ProgressOutOfRangeIsNotKept) {
    auto with = [](void (*change)(ChampionshipProgress&)) {
        ChampionshipProgress progress = halfWay();
        change(progress);
        return progress;
    };
    const ChampionshipProgress outOfRange[] = {
        with([](ChampionshipProgress& p) { p.racesRun = 0; }),
        with([](ChampionshipProgress& p) { p.racesRun = CHAMPIONSHIP_RACES; }),
        with([](ChampionshipProgress& p) { p.points[5] = CHAMPIONSHIP_MAX_POINTS + 1; }),
        with([](ChampionshipProgress& p) { p.lastPlaces[4] = 1; }),
        with([](ChampionshipProgress& p) { p.lastPlaces[0] = 0; }),
        with([](ChampionshipProgress& p) { p.lastPlaces[0] = 7; }),
        with([](ChampionshipProgress& p) { p.difficulty = static_cast<Difficulty>(3); }),
    };
    EXPECT_TRUE(championshipProgressKept(halfWay()));
    for (const ChampionshipProgress& progress : outOfRange) {
        EXPECT_FALSE(championshipProgressKept(progress));
        ChampionshipFile file;
        file.current = progress;
        EXPECT_EQ(formatChampionships(file), HEADER);
    }
}

TEST(ChampionshipText, RejectsDamagedOrHandEditedFiles) {
    const std::string good = HEADER + HALF_WAY_LINE + BEST_LINE;
    const std::string current = "current 12 difficulty hard races-run 2 points ";
    const std::string best = "best 12 difficulty easy ";
    const struct {
        std::string text;
        std::string problem;  // part of what the player is told
    } damaged[] = {
        {"", "empty"},
        {"zentrix-championship", "line 1: not a championship file"},
        {"zentrix-championship 1", "line 1: not a championship file"},
        {"zentrix-championship 0\n", "line 1: not a championship file"},
        {"zentrix-championship 01\n", "line 1: not a championship file"},
        {"zentrix-championship  1\n", "line 1: not a championship file"},
        {"zentrix-championship 1 \n", "line 1: not a championship file"},
        {"zentrix-championship 1\r\n", "line 1: not a championship file"},
        {"zentrix-records 1\n", "line 1: not a championship file"},
        {"\n" + good, "line 1: not a championship file"},
        {good.substr(0, good.size() - 1), "line 3: cut short"},
        {HEADER + "\n", "line 2: expected a current or best line"},
        {HEADER + "ghost 12\n", "line 2: expected a current or best line"},
        // One current line at most, first.
        {HEADER + BEST_LINE + HALF_WAY_LINE, "line 3: a current line after the first"},
        {HEADER + HALF_WAY_LINE + HALF_WAY_LINE, "line 3: a current line after the first"},
        // The current line's fields.
        {HEADER + current + "18 16 9 4 2 0 last 1 2 3 4 6\n", "line 2: expected \"current"},
        {HEADER + current + "18 16 9 4 2 0 last 1 2 3 4 6 5 0\n", "line 2: expected \"current"},
        {HEADER + current + "18 16 9 4 2 0 first 1 2 3 4 6 5\n", "line 2: expected \"current"},
        {HEADER + "current 12 difficulty hard races 2 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: expected \"current"},
        {HEADER + "current 012 difficulty hard races-run 2 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: bad championship number"},
        {HEADER + "current 12 difficulty Hard races-run 2 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: bad difficulty"},
        {HEADER + "current 12 difficulty 2 races-run 2 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: bad difficulty"},
        {HEADER + "current 12 difficulty hard races-run 0 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: bad races run (1 to 3)"},
        {HEADER + "current 12 difficulty hard races-run 4 points 18 16 9 4 2 0 last 1 2 3 4 6 5\n",
         "line 2: bad races run"},
        {HEADER + current + "18 16 9 4 2 41 last 1 2 3 4 6 5\n", "line 2: bad points (0 to 40)"},
        {HEADER + current + "18 16 9 4 -2 0 last 1 2 3 4 6 5\n", "line 2: bad points"},
        {HEADER + current + "18 16 9 4 2 0 last 1 2 3 4 6 0\n", "line 2: bad place (1 to 6)"},
        {HEADER + current + "18 16 9 4 2 0 last 1 2 3 4 6 7\n", "line 2: bad place"},
        {HEADER + current + "18 16 9 4 2 0 last 1 2 3 4 6 6\n",
         "line 2: place 6 given twice in the last race"},
        // Best lines: fields, ranges, order.
        {HEADER + best + "place 2\n", "line 2: expected \"best"},
        {HEADER + best + "place 2 points 31 points 31\n", "line 2: expected \"best"},
        {HEADER + best + "points 31 place 2\n", "line 2: expected \"best"},
        {HEADER + "best x difficulty easy place 2 points 31\n", "line 2: bad championship number"},
        {HEADER + "best 4294967296 difficulty easy place 2 points 31\n",
         "line 2: bad championship number"},
        {HEADER + "best 12 difficulty medium place 2 points 31\n", "line 2: bad difficulty"},
        {HEADER + best + "place 0 points 31\n", "line 2: bad place (1 to 6)"},
        {HEADER + best + "place 7 points 31\n", "line 2: bad place"},
        {HEADER + best + "place 2 points 41\n", "line 2: bad points (0 to 40)"},
        {HEADER + best + "place 2 points 031\n", "line 2: bad points"},
        {HEADER + BEST_LINE + BEST_LINE, "line 3: championship 12 difficulty easy listed twice"},
        {HEADER + "best 12 difficulty hard place 2 points 31\n" + BEST_LINE,
         "line 3: championship 12 difficulty easy out of order"},
        {HEADER + "best 13 difficulty easy place 2 points 31\n" + BEST_LINE,
         "line 3: championship 12 difficulty easy out of order"},
        {HEADER + std::string(CHAMPIONSHIP_TEXT_MAX_BYTES, '\n'), "larger than 3145728 bytes"},
    };
    for (const auto& sample : damaged) {
        const ParsedChampionships parsed = parseChampionships(sample.text);
        EXPECT_EQ(parsed.status, ChampionshipTextStatus::Corrupt) << sample.text;
        EXPECT_TRUE(contains(parsed.problem, sample.problem))
            << sample.text << " told: " << parsed.problem;
        EXPECT_TRUE(parsed.file == ChampionshipFile{}) << sample.text;
    }
}

TEST(ChampionshipText, AFileOfTooManyChampionshipsIsNoneTheGameWrites) {
    ChampionshipFile most;
    for (uint32_t number = 0; number < CHAMPIONSHIP_MAX_KEPT; ++number) {
        most.best[{number, Difficulty::Normal}] = {1, 40};
    }
    const std::string text = formatChampionships(most);
    EXPECT_EQ(parseChampionships(text).status, ChampionshipTextStatus::Valid);
    const ParsedChampionships over =
        parseChampionships(text + "best 50000 difficulty normal place 1 points 40\n");
    EXPECT_EQ(over.status, ChampionshipTextStatus::Corrupt);
    EXPECT_TRUE(contains(over.problem, "line 50002: more than 50000 championships"))
        << over.problem;
}

TEST(ChampionshipText, ANewerFormatIsToldApartFromDamage) {
    for (const std::string text : {"zentrix-championship 2\n", "zentrix-championship 2\n{}"}) {
        const ParsedChampionships parsed = parseChampionships(text);
        EXPECT_EQ(parsed.status, ChampionshipTextStatus::NewerVersion) << text;
        EXPECT_TRUE(contains(parsed.problem, "newer version (format 2)")) << parsed.problem;
    }
}

// ----------------------------------------------------------------- the store

TEST(ChampionshipStore, ProgressIsKeptForgottenAndReadNextRun) {
    TempDataHome home;
    StderrCapture errors;
    {
        ChampionshipStore store = loadPlayerChampionships();
        EXPECT_EQ(store.filePath(), championshipFile(home));
        EXPECT_EQ(store.progress(), std::nullopt);
        EXPECT_FALSE(std::filesystem::exists(home.folder())) << "nothing saved, nothing made";
        store.keepProgress(halfWay());
        EXPECT_EQ(store.progress(), halfWay());
    }
    EXPECT_EQ(readText(championshipFile(home)), HEADER + HALF_WAY_LINE);
    {
        ChampionshipStore nextRun = loadPlayerChampionships();
        EXPECT_EQ(nextRun.progress(), halfWay());
        // The same progress again leaves the file as it is.
        const ino_t before = inodeOf(championshipFile(home));
        nextRun.keepProgress(halfWay());
        EXPECT_EQ(inodeOf(championshipFile(home)), before);
        nextRun.forgetProgress();
        EXPECT_EQ(nextRun.progress(), std::nullopt);
    }
    EXPECT_EQ(readText(championshipFile(home)), HEADER);
    EXPECT_EQ(loadPlayerChampionships().progress(), std::nullopt);
    EXPECT_EQ(errors.text(), "");
}

// Four races run is a championship over: nothing is left to go on with.
TEST(ChampionshipStore, ProgressOverOrNotBegunLeavesNothingToGoOnWith) {
    for (const int racesRun : {0, CHAMPIONSHIP_RACES}) {
        TempDataHome home;
        ChampionshipStore store = loadPlayerChampionships();
        store.keepProgress(halfWay());
        ChampionshipProgress over = halfWay();
        over.racesRun = racesRun;
        store.keepProgress(over);
        EXPECT_EQ(store.progress(), std::nullopt) << racesRun;
        EXPECT_EQ(readText(championshipFile(home)), HEADER) << racesRun;
    }
}

TEST(ChampionshipStore, ABestIsKeptOnlyWhenBetter) {
    TempDataHome home;
    ChampionshipStore store = loadPlayerChampionships();
    const struct {
        ChampionshipBest result;
        bool kept;
        ChampionshipBest best;
    } offers[] = {
        {{3, 20}, true, {3, 20}},                             // the first
        {{4, 30}, false, {3, 20}},                            // a worse place, whatever its points
        {{3, 20}, false, {3, 20}},                            // the same again
        {{3, 19}, false, {3, 20}}, {{3, 22}, true, {3, 22}},  // the same place with more points
        {{2, 15}, true, {2, 15}},                             // a better place with fewer
        {{0, 40}, false, {2, 15}},                            // no place
        {{1, 41}, false, {2, 15}},                            // more points than four wins
        {{1, 40}, true, {1, 40}},
    };
    for (const auto& offer : offers) {
        SCOPED_TRACE(std::to_string(offer.result.place) + " " +
                     std::to_string(offer.result.points));
        EXPECT_EQ(store.offerResult(7, Difficulty::Normal, offer.result), offer.kept);
        EXPECT_EQ(store.best(7, Difficulty::Normal), offer.best);
    }
    EXPECT_EQ(store.best(7, Difficulty::Hard), std::nullopt) << "each difficulty apart";
    EXPECT_TRUE(store.offerResult(7, Difficulty::Hard, {5, 3}));
    EXPECT_EQ(readText(championshipFile(home)), HEADER +
                                                    "best 7 difficulty normal place 1 points 40\n"
                                                    "best 7 difficulty hard place 5 points 3\n");
    const ChampionshipStore nextRun = loadPlayerChampionships();
    EXPECT_EQ(nextRun.best(7, Difficulty::Normal), (ChampionshipBest{1, 40}));
    EXPECT_EQ(nextRun.best(7, Difficulty::Hard), (ChampionshipBest{5, 3}));
    EXPECT_EQ(nextRun.best(8, Difficulty::Hard), std::nullopt);
}

TEST(ChampionshipStore, AFullFileKeepsFurtherBestsForTheRunAndSaysSoOnce) {
    TempDataHome home;
    ChampionshipFile most;
    for (uint32_t number = 0; number < CHAMPIONSHIP_MAX_KEPT; ++number) {
        most.best[{number, Difficulty::Hard}] = {6, 0};
    }
    std::filesystem::create_directories(home.folder());
    writeText(championshipFile(home), formatChampionships(most));

    StderrCapture errors;
    ChampionshipStore store = loadPlayerChampionships();
    EXPECT_TRUE(store.offerResult(LAST, Difficulty::Hard, {1, 40}));
    EXPECT_TRUE(store.offerResult(LAST - 1, Difficulty::Hard, {1, 40}));
    EXPECT_EQ(store.best(LAST, Difficulty::Hard), (ChampionshipBest{1, 40}));
    EXPECT_EQ(readText(championshipFile(home)), formatChampionships(most));
    // One the file holds is still saved.
    EXPECT_TRUE(store.offerResult(0, Difficulty::Hard, {2, 30}));
    most.best[{0, Difficulty::Hard}] = {2, 30};
    EXPECT_EQ(readText(championshipFile(home)), formatChampionships(most));
    EXPECT_EQ(lineCount(errors.text()), 1) << errors.text();
    EXPECT_TRUE(contains(errors.text(), "50000 championships at most")) << errors.text();
}

TEST(ChampionshipStore, AnUntrustedFileIsMovedAsideToldOnceAndNothingIsKept) {
    const struct {
        const char* what;
        std::string text;
        const char* label;
        const char* told;
    } files[] = {
        {"damaged", HEADER + HALF_WAY_LINE.substr(0, 30) + "\n", "corrupt", "is corrupt (line 2"},
        {"foreign", "zentrix-records 4\ncircuit 0 best-lap-ms 1 best-race-ms 3\n", "corrupt",
         "not a championship file"},
        {"empty", "", "corrupt", "is corrupt (empty)"},
        {"newer", "zentrix-championship 2\nseason 1\n", "newer", "is from a newer version"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        TempDataHome home;
        std::filesystem::create_directories(home.folder());
        writeText(championshipFile(home), file.text);

        StderrCapture errors;
        ChampionshipStore store = loadPlayerChampionships();
        EXPECT_EQ(store.progress(), std::nullopt);
        const auto aside =
            namesIn(home.folder(), std::string("championship.txt.") + file.label + "-");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(namesIn(home.folder()).size(), 1u) << "moved, not copied";
        const std::string asidePath = home.folder() + "/" + aside[0];
        EXPECT_EQ(readText(asidePath), file.text);
        const std::string told = errors.text();
        EXPECT_EQ(lineCount(told), 1) << told;
        EXPECT_TRUE(contains(told, championshipFile(home))) << told;
        EXPECT_TRUE(contains(told, asidePath)) << told;
        EXPECT_TRUE(contains(told, file.told)) << told;

        // What comes next is saved fresh beside the kept copy.
        store.keepProgress(halfWay());
        EXPECT_EQ(readText(championshipFile(home)), HEADER + HALF_WAY_LINE);
        EXPECT_EQ(readText(asidePath), file.text);
        EXPECT_EQ(lineCount(errors.text()), 1);
    }
}

TEST(ChampionshipStore, NowhereToSaveIsToldOnceAndTheGameGoesOn) {
    TempDataHome home;
    writeText(home.dataHome(), "not a folder");

    StderrCapture errors;
    ChampionshipStore store = loadPlayerChampionships();
    EXPECT_EQ(errors.text(), "") << "nothing is saved yet, so nothing is wrong yet";
    store.keepProgress(halfWay());
    EXPECT_TRUE(store.offerResult(12, Difficulty::Hard, {1, 40}));
    EXPECT_EQ(store.progress(), halfWay()) << "kept for the run";
    EXPECT_EQ(store.best(12, Difficulty::Hard), (ChampionshipBest{1, 40}));

    const std::string told = errors.text();
    EXPECT_EQ(lineCount(told), 1) << told;
    EXPECT_TRUE(contains(told, "cannot save championships")) << told;
    EXPECT_EQ(readText(home.dataHome()), "not a folder");

    recordstest::EnvironmentVariable noHome("HOME", nullptr);
    recordstest::EnvironmentVariable noDataHome("XDG_DATA_HOME", "");
    StderrCapture homeless;
    ChampionshipStore nowhere = loadPlayerChampionships();
    nowhere.keepProgress(halfWay());
    nowhere.forgetProgress();
    EXPECT_EQ(lineCount(homeless.text()), 1) << homeless.text();
    EXPECT_TRUE(contains(homeless.text(), "XDG_DATA_HOME")) << homeless.text();
}

}  // namespace
