#include "shell/verify_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "assets/data_dir.h"
#include "craft/opponent.h"
#include "saves/replay_file.h"
#include "session/race_recording.h"
#include "shell/pilot_command.h"
#include "support/harness/race_start.h"
#include "support/records_fixture.h"
#include "track/circuit_generator.h"
#include "track/track.h"

namespace {

using recordstest::EnvironmentVariable;

// Replays raced here, verified from an empty working directory with no
// opponent craft loaded, and the data folder given or not by ZENTRIX_DATA_DIR.
class VerifyingAReplay : public testing::Test {
protected:
    void SetUp() override {
        previousDirectory_ = std::filesystem::current_path();
        root_ = std::string(ZENTRIX_BINARY_DIR) + "/verify-command-" + std::to_string(getpid());
        std::filesystem::create_directories(root_ + "/empty");
        std::filesystem::current_path(root_ + "/empty");
    }
    void TearDown() override {
        std::filesystem::current_path(previousDirectory_);
        setDataFolder("data");
        std::filesystem::remove_all(root_);
        raceOnCircuit(CLASSIC_CIRCUIT);
    }

    static Replay raced(uint32_t circuit, int ticks) {
        raceOnCircuit(circuit);
        testsupport::startRaceWithoutGraphics();
        for (int tick = 0; tick < ticks; ++tick) {
            stepRecordedRace(testsupport::followTheCentreLine(tick));
        }
        return recordedRace();
    }

    std::string written(const Replay& replay) {
        std::string failure;
        EXPECT_TRUE(writeReplayFile(root_, "race.zxr", replay, failure)) << failure;
        return root_ + "/race.zxr";
    }

    std::filesystem::path previousDirectory_;
    std::string root_;
    std::istringstream noInput_;  // a path is given: nothing read from the pipe
};

TEST_F(VerifyingAReplay, NeedsNoDataFolderAndSaysHowManyLapsAnUnfinishedRaceRan) {
    const Replay short_ = raced(7, 600);
    const Replay oneLap = raced(CLASSIC_CIRCUIT, 6000);
    ASSERT_EQ(short_.craftParts, gOpponents[0].model.objects.size());
    ASSERT_NE(oneLap.lapMs[0], 0u);
    ASSERT_EQ(oneLap.lapMs[1], 0u);
    Replay tampered = short_;
    tampered.finalStateHash ^= 1;
    Replay formatOne = short_;
    formatOne.craftParts.reset();

    struct Case {
        const char* name;
        Replay replay;
        const char* dataFolder;  // ZENTRIX_DATA_DIR, null for unset
        int status;
        std::vector<std::string> outLines;
        std::string errPart;
    };
    const std::string sourceData = std::string(ZENTRIX_SOURCE_DIR) + "/data";
    const std::vector<Case> cases = {
        {"no lap in",
         short_,
         nullptr,
         0,
         {"lap 1  not run", "race   unfinished, 0 of 3 laps", "verified"},
         ""},
        {"one lap in",
         oneLap,
         nullptr,
         0,
         {"lap 2  not run", "race   unfinished, 1 of 3 laps", "verified"},
         ""},
        {"a changed end", tampered, nullptr, 1, {"does not match"}, ""},
        {"format 1, data given", formatOne, sourceData.c_str(), 0, {"verified"}, ""},
        {"format 1, no data", formatOne, "/nonexistent", 2, {}, "format version 1 runs again only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = written(c.replay);
        for (Opponent& opponent : gOpponents) {
            opponent.model = Model();  // nothing loaded but what the verifying reads
        }
        EnvironmentVariable dataFolder("ZENTRIX_DATA_DIR", c.dataFolder);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(verifyReplayCommand(path, noInput_, out, err), c.status)
            << out.str() << err.str();
        for (const std::string& line : c.outLines) {
            EXPECT_NE(out.str().find("\n" + line + "\n"), std::string::npos) << out.str();
        }
        EXPECT_NE(err.str().find(c.errPart), std::string::npos) << err.str();
        if (c.status == 0) {
            EXPECT_EQ(err.str(), "");
        }
        // The same bytes through a pipe ("-") say the same.
        std::ifstream file(path, std::ios::binary);
        std::ostringstream piped;
        std::ostringstream pipedErr;
        EXPECT_EQ(verifyReplayCommand("-", file, piped, pipedErr), c.status);
        EXPECT_EQ(piped.str(), out.str());
    }
    std::istringstream endless(std::string(REPLAY_FILE_MAX_BYTES + 1, 'Z'));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(verifyReplayCommand("-", endless, out, err), REPLAY_UNREADABLE_STATUS);
    EXPECT_NE(err.str().find("more than any replay"), std::string::npos) << err.str();
}

// --pilot writes the pilot's three laps as a replay file that --verify runs
// again to the same end; with no data to read the craft from, it writes nothing.
TEST_F(VerifyingAReplay, ThePilotsReplayIsWrittenWholeAndVerifies) {
    const std::string sourceData = std::string(ZENTRIX_SOURCE_DIR) + "/data";
    const struct {
        const char* dataFolder;
        int status;
    } cases[] = {{sourceData.c_str(), 0}, {"/nonexistent", PILOT_FAILED_STATUS}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dataFolder);
        for (Opponent& opponent : gOpponents) {
            opponent.model = Model();
        }
        EnvironmentVariable dataFolder("ZENTRIX_DATA_DIR", c.dataFolder);
        std::ostringstream pilotOut;
        std::ostringstream pilotErr;
        ASSERT_EQ(pilotCommand(7, pilotOut, pilotErr), c.status) << pilotErr.str();
        if (c.status != 0) {
            EXPECT_EQ(pilotOut.str(), "");
            EXPECT_NE(pilotErr.str().find("the pilot races only with the game's data"),
                      std::string::npos)
                << pilotErr.str();
            continue;
        }
        EXPECT_EQ(pilotErr.str(), "");
        const ReplayRead read = decodeReplay(pilotOut.str());
        ASSERT_EQ(read.status, ReplayStatus::Valid) << read.problem;
        EXPECT_EQ(read.replay.circuit, 7u);
        EXPECT_EQ(read.replay.mode, RaceMode::TimeTrial);
        EXPECT_NE(read.replay.raceMs, 0u);
        const std::string path = written(read.replay);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(verifyReplayCommand(path, noInput_, out, err), 0) << out.str() << err.str();
        EXPECT_EQ(out.str().rfind("circuit 7, time trial\n", 0), 0u) << out.str();
        EXPECT_EQ(out.str().find("unfinished"), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("\nverified\n"), std::string::npos) << out.str();
    }
}

}  // namespace
