#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <random>
#include <vector>

#include "saves/records_store.h"
#include "saves/records_text.h"
#include "support/records_fixture.h"

namespace {

using recordstest::namesIn;
using recordstest::readText;
using recordstest::TempDataHome;

constexpr int KILLS = 300;
constexpr int LONGEST_DELAY_US = 40000;
constexpr uint32_t FIRST_LAP_MS = 10000000;
constexpr uint32_t CIRCUIT = 4294967295u;

// Loads the records like a new run of the game, then beats them by a
// millisecond a lap, over and over, telling the parent each lap saved.
[[noreturn]] void writeRecordsUntilKilled(const std::string& folder, int reportPipe) {
    RecordsStore store(folder);
    store.load();
    uint32_t lap = store.records(CIRCUIT).bestLapMs;
    if (lap == 0) {
        _exit(2);  // the last writer's kill left no valid file behind
    }
    for (;;) {
        --lap;
        const uint32_t laps[3] = {lap, lap, lap};
        if (!store.offerRace(CIRCUIT, laps).any()) {
            _exit(3);
        }
        if (write(reportPipe, &lap, sizeof lap) != sizeof lap) {
            _exit(4);
        }
    }
}

// The last lap the writer reported saved, or fallback if it saved none.
uint32_t lastReportedLap(int reportPipe, uint32_t fallback, int& saves) {
    uint32_t lap = fallback;
    uint32_t reported = 0;
    while (read(reportPipe, &reported, sizeof reported) == sizeof reported) {
        lap = reported;
        ++saves;
    }
    return lap;
}

TEST(RecordsUnderSigkill, AWriterKilledAtAnyMomentLeavesTheOldRecordsOrTheNew) {
    TempDataHome home;
    {
        RecordsStore first(home.folder());
        const uint32_t laps[3] = {FIRST_LAP_MS, FIRST_LAP_MS, FIRST_LAP_MS};
        ASSERT_TRUE(first.offerRace(CIRCUIT, laps).any());
    }
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, LONGEST_DELAY_US);

    uint32_t fileLap = FIRST_LAP_MS;
    size_t allowedTemporaries = 0;
    int totalSaves = 0;
    int killsMidWrite = 0;
    const auto started = std::chrono::steady_clock::now();
    for (int kill = 0; kill < KILLS; ++kill) {
        int report[2];
        ASSERT_EQ(pipe(report), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            close(report[0]);
            writeRecordsUntilKilled(home.folder(), report[1]);
        }
        close(report[1]);
        usleep(static_cast<useconds_t>(delayUs(random)));
        ::kill(writer, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status))
            << "writer gave up with status " << WEXITSTATUS(status) << " at kill " << kill;

        int saves = 0;
        const uint32_t reported = lastReportedLap(report[0], fileLap, saves);
        close(report[0]);
        totalSaves += saves;

        const ParsedRecords parsed = parseRecords(readText(home.file()));
        ASSERT_EQ(parsed.status, RecordsTextStatus::Valid) << "at kill " << kill;
        const Records saved = recordsOf(parsed.records.race, CIRCUIT);
        const uint32_t lap = saved.bestLapMs;
        // Saved and reported, or saved and killed before it could report.
        ASSERT_TRUE(lap == reported || lap == reported - 1)
            << "file holds " << lap << ", last reported " << reported << " at kill " << kill;
        ASSERT_EQ(saved.bestRaceMs, 3 * lap);
        fileLap = lap;

        // A writer that saved cleared every earlier writer's temporary first.
        allowedTemporaries = saves > 0 ? 1 : allowedTemporaries + 1;
        const size_t temporaries = namesIn(home.folder(), "records.txt.tmp-").size();
        ASSERT_LE(temporaries, allowedTemporaries) << "at kill " << kill;
        killsMidWrite += temporaries > 0 && saves > 0 ? 1 : 0;
    }
    EXPECT_TRUE(namesIn(home.folder(), "records.txt.corrupt-").empty());
    EXPECT_GT(totalSaves, 0);

    RecordsStore survivor(home.folder());
    survivor.load();
    EXPECT_EQ(survivor.records(CIRCUIT).bestLapMs, fileLap);
    const uint32_t laps[3] = {fileLap - 1, fileLap - 1, fileLap - 1};
    EXPECT_TRUE(survivor.offerRace(CIRCUIT, laps).any());
    EXPECT_EQ(namesIn(home.folder()), std::vector<std::string>{"records.txt"});

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << KILLS << " kills in " << seconds << " s, " << totalSaves << " saves, "
              << killsMidWrite << " kills left a temporary behind\n";
}

}  // namespace
