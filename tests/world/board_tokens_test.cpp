#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "world/board_tokens.h"
#include "world/outbox.h"

namespace {

// A config and data home of the test's own.
struct PrivateHomes : ::testing::Test {
    std::string folder;
    void SetUp() override {
        char name[] = "/tmp/zentrix-world-XXXXXX";
        folder = mkdtemp(name);
        setenv("XDG_CONFIG_HOME", (folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder + "/data").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(PrivateHomes, EachNameOnEachBoardKeepsItsOwnToken) {
    std::string failure;
    const struct {
        const char* board;
        const char* player;
        const char* token;
    } kept[] = {{"http://a", "Ann", "t1"}, {"http://a", "Ann B", "t2"}, {"http://b", "Ann", "t3"},
                {"http://a", "Ann", "t4"}};
    for (const auto& k : kept) {
        ASSERT_TRUE(keepTokenForBoard(k.board, k.player, k.token, failure)) << failure;
    }
    EXPECT_EQ(tokenForBoard("http://a", "Ann"), "t4");
    EXPECT_EQ(tokenForBoard("http://a", "Ann B"), "t2");
    EXPECT_EQ(tokenForBoard("http://b", "Ann"), "t3");
    EXPECT_EQ(tokenForBoard("http://b", "Bob"), "");
    EXPECT_EQ(tokenForBoard("http://a", "An"), "");
    struct stat file {};
    ASSERT_EQ(stat(boardTokensPath().c_str(), &file), 0);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
}

TEST_F(PrivateHomes, TheOutboxKeepsOneBestACircuit) {
    Replay run;
    run.mode = RaceMode::TimeTrial;
    run.craftParts = 6;
    run.circuit = 7;
    run.controls.assign(10, ReplayControls{ReplayControls::ACCELERATE});
    std::string failure;
    ASSERT_TRUE(keepInOutbox(run, failure)) << failure;
    run.controls.resize(12);
    ASSERT_TRUE(keepInOutbox(run, failure)) << failure;  // a later best of circuit 7
    run.circuit = 48213;
    ASSERT_TRUE(keepInOutbox(run, failure)) << failure;
    const std::vector<std::string> files = outboxFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(readReplayFile(files[1]).replay.controls.size(), 12u);
    removeFromOutbox(files[0]);
    EXPECT_EQ(outboxFiles().size(), 1u);
}

}  // namespace
