#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "world/board_tokens.h"
#include "world/outbox.h"
#include "world/world_sender.h"

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
    } kept[] = {{"http://a", "Ann", "t1"},
                {"http://a", "Ann B", "t2"},
                {"http://b", "Ann", "t3"},
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

namespace {

TEST_F(PrivateHomes, AnOutboxThatCannotBeWrittenIsSaidOnceAndTheRunStillGoes) {
    // The data home is a file: no outbox folder can be made in it.
    const std::string blocked = folder + "/data-is-a-file";
    { std::ofstream(blocked) << "x"; }
    setenv("XDG_DATA_HOME", blocked.c_str(), 1);
    // A port nothing listens on: the send goes, and finds no board.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);

    Replay best;
    best.mode = RaceMode::TimeTrial;
    best.craftParts = 6;
    best.controls.assign(10, ReplayControls{ReplayControls::ACCELERATE});
    testing::internal::CaptureStderr();
    startWorldSender({"http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)), "Ann"});
    for (const uint32_t circuit : {7u, 8u}) {
        best.circuit = circuit;
        sendBestToTheWorld(best);
    }
    std::optional<std::string> line;
    for (int wait = 0; wait < 100 && line != "board unreachable, will send later"; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        line = worldLineFor(7);
    }
    stopWorldSender();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(line, "board unreachable, will send later");
    EXPECT_NE(said.find("cannot keep runs for the board"), std::string::npos) << said;
    EXPECT_EQ(said.find("cannot keep runs for the board"),
              said.rfind("cannot keep runs for the board"))
        << "said more than once: " << said;
}

}  // namespace
