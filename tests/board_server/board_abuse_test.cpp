// What a stranger may send the board, and the board killed under its senders:
// nothing crashes it, nothing it said it kept is lost, and the others are served.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <nlohmann/json.hpp>
#include <random>
#include <thread>

#include "board_server/board_test_support.h"
#include "support/harness/board_process.h"
#include "support/harness/board_runs.h"
#include "support/harness/http_client.h"

using nlohmann::json;
using testsupport::BoardProcess;
using testsupport::HttpReply;
using testsupport::httpRequest;

namespace {
using boardtest::boardAnswers;
using boardtest::CIRCUIT;
using boardtest::sendRun;
using boardtest::TemporaryFolder;

// Sends raw bytes on a connection of its own and reads what comes back, so
// what curl would never send can be.
std::string rawExchange(uint16_t port, const std::string& bytes) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    const timeval wait{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) >= 0) {
        char buffer[4096];
        ssize_t n = 0;
        while ((n = recv(fd, buffer, sizeof buffer, 0)) > 0) {
            answer.append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return answer;
}

uint16_t portOf(const BoardProcess& board) {
    const std::string url = board.url("");
    return static_cast<uint16_t>(std::stoi(url.substr(url.rfind(':') + 1)));
}

struct BoardAbuse : ::testing::Test {
    static inline std::unique_ptr<TemporaryFolder> folder;
    static inline std::unique_ptr<BoardProcess> board;
    static inline Replay good;

    static void SetUpTestSuite() {
        folder = std::make_unique<TemporaryFolder>();
        board = std::make_unique<BoardProcess>(
            "sqlite:" + folder->path + "/board.sqlite",
            std::vector<std::string>{"--runs-per-minute", "100000", "--request-seconds", "2"});
        good = testsupport::pilotVariant(CIRCUIT, 500);
    }
    static void TearDownTestSuite() {
        board.reset();
        folder.reset();
    }
};

TEST_F(BoardAbuse, HostileBodiesAreRefusedAndTheBoardGoesOn) {
    ASSERT_TRUE(board->running());
    const std::string bytes = encodeReplay(good);
    const size_t textEnd = 13 + static_cast<unsigned char>(bytes[12]);
    auto patched = [&](size_t at, std::string with) {
        std::string copy = bytes;
        copy.replace(at, with.size(), with);
        return copy;
    };
    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    Replay anHourStill = good;
    anHourStill.controls.assign(REPLAY_MAX_TICKS, ReplayControls{ReplayControls::ACCELERATE});
    Replay markupVersion = good;
    markupVersion.gameVersion = "<script>alert(1)</script>";
    Replay sqlVersion = testsupport::pilotVariant(CIRCUIT, 501);
    sqlVersion.gameVersion = "'; DROP TABLE runs; --";
    struct Case {
        const char* what;
        std::string body;
        long status;
        std::string player = "Mallory";
    } cases[] = {
        {"empty", "", 400},
        {"truncated", bytes.substr(0, bytes.size() - 1), 400},
        {"random bytes", noise, 400},
        {"version 5", patched(8, std::string("\x05\x00\x00\x00", 4)), 400},
        {"circuit 2^32", patched(textEnd, std::string("\x00\x00\x00\x00\x01\x00\x00\x00", 8)), 400},
        {"trailing bytes", bytes + "zz", 400},
        {"an hour held still, raced to the end", encodeReplay(anHourStill), 422},
        {"ten MiB", std::string(10 * 1024 * 1024, 'z'), 413},
        {"markup in the game version: kept as given", encodeReplay(markupVersion), 201, "Eve"},
        {"SQL in the game version: kept as given", encodeReplay(sqlVersion), 201, "Trent"},
    };
    for (const Case& c : cases) {
        const HttpReply reply = sendRun(*board, c.body, c.player);
        EXPECT_EQ(reply.status, c.status) << c.what << ": " << reply.body;
        EXPECT_TRUE(boardAnswers(*board)) << "after " << c.what;
        std::cout << c.what << ": " << reply.status << " in " << reply.seconds << " s\n";
    }
    // Every seed of the fuzzers, replays among them, as a run.
    for (const auto& seed : std::filesystem::directory_iterator(ZENTRIX_SOURCE_DIR "/fuzz/seeds")) {
        std::ifstream in(seed.path(), std::ios::binary);
        const std::string body((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        const long status = sendRun(*board, body, "Mallory").status;
        EXPECT_TRUE(status == 400 || status == 413 || status == 422 || status == 409)
            << seed.path() << ": " << status;
    }
    EXPECT_TRUE(boardAnswers(*board));
    for (const auto& [player, version] : {std::pair{"Eve", markupVersion.gameVersion},
                                          std::pair{"Trent", sqlVersion.gameVersion}}) {
        const json kept = json::parse(
            httpRequest("GET", board->url(std::string("/api/v1/players/") + player)).body);
        EXPECT_EQ(kept.at("bests").at(0).at("game_version"), version);
    }

    // Kept as given, shown as text: no page ever holds the stranger's markup.
    const HttpReply page = httpRequest("GET", board->url("/circuits/7"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body.find("<script"), std::string::npos);
    EXPECT_NE(page.body.find("&lt;script&gt;"), std::string::npos);
    EXPECT_NE(page.header("Content-Security-Policy").find("default-src 'none'"), std::string::npos);
}

TEST_F(BoardAbuse, BrokenRequestsAreAnsweredOrCut) {
    ASSERT_TRUE(board->running());
    const uint16_t port = portOf(*board);
    const std::string badRequests[] = {
        std::string("GET /api/v1/health HTTP/1.1\r\nHost: x\r\nX-Zentrix-Player: a\0b\r\n\r\n", 52),
        "GET /api/v1/health HTTP/9.9\r\n\r\n",
        "NONSENSE\r\n\r\n",
        "POST /api/v1/runs HTTP/1.1\r\nHost: x\r\nContent-Length: -5\r\n\r\n",
        "GET /api/v1/health HTTP/1.1\r\nHost: x\r\nX-Long: " + std::string(64 * 1024, 'a') +
            "\r\n\r\n",
    };
    for (const std::string& request : badRequests) {
        const std::string answer = rawExchange(port, request);
        EXPECT_TRUE(answer.empty() || answer.compare(0, 9, "HTTP/1.1 ") == 0)
            << answer.substr(0, 80);
        EXPECT_TRUE(boardAnswers(*board)) << request.substr(0, 40);
    }
}

TEST_F(BoardAbuse, AClientSendingAByteASecondIsCutOffWhileOthersAreServed) {
    ASSERT_TRUE(board->running());
    const uint16_t port = portOf(*board);
    std::atomic<bool> cut{false};
    std::atomic<double> cutAfter{0.0};
    std::thread slow([&] {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        const auto start = std::chrono::steady_clock::now();
        const std::string request = "GET /api/v1/health HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        for (size_t i = 0; i < request.size() - 1 && !cut; ++i) {
            if (send(fd, &request[i], 1, MSG_NOSIGNAL) < 0) {
                cut = true;
            }
            char c = 0;
            // The board shuts the connection: the read comes back at once with 0.
            const timeval wait{1, 0};
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
            if (recv(fd, &c, 1, 0) == 0) {
                cut = true;
            }
        }
        cutAfter = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        close(fd);
    });
    double slowest = 0.0;
    for (int i = 0; i < 20; ++i) {
        const HttpReply reply = httpRequest("GET", board->url("/api/v1/circuits/7/board"));
        EXPECT_EQ(reply.status, 200);
        slowest = std::max(slowest, reply.seconds);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    slow.join();
    EXPECT_TRUE(cut);
    EXPECT_LT(cutAfter, 10.0);
    EXPECT_LT(slowest, 1.0);
    std::cout << "the slow client was cut after " << cutAfter
              << " s; the others' slowest answer took " << slowest << " s\n";
}

TEST(BoardKilled, EveryRunAnswered201IsThereAfterSigkill) {
    TemporaryFolder folder;
    const std::string database = "sqlite:" + folder.path + "/board.sqlite";
    constexpr int SENDERS = 4;
    constexpr int RUNS_EACH = 4;  // more than are answered before the kill
    std::vector<std::string> runs;
    for (uint32_t variant = 0; variant < SENDERS * RUNS_EACH; ++variant) {
        runs.push_back(encodeReplay(testsupport::pilotVariant(CIRCUIT, 1000 + variant)));
    }
    std::vector<std::pair<int64_t, std::string>> kept;  // run id and the bytes sent
    std::mutex keptMutex;
    {
        BoardProcess board(database, {"--runs-per-minute", "100000"});
        ASSERT_TRUE(board.running());
        std::vector<std::thread> senders;
        for (int sender = 0; sender < SENDERS; ++sender) {
            senders.emplace_back([&, sender] {
                for (int i = 0; i < RUNS_EACH; ++i) {
                    const std::string& run = runs[static_cast<size_t>(sender * RUNS_EACH + i)];
                    const HttpReply reply = sendRun(board, run, "Sender" + std::to_string(sender));
                    if (reply.status == 201) {
                        const std::lock_guard<std::mutex> lock(keptMutex);
                        kept.emplace_back(json::parse(reply.body).at("run").get<int64_t>(), run);
                    }
                }
            });
        }
        // Killed once a few are answered, whatever the build's pace.
        for (int wait = 0; wait < 3000; ++wait) {
            {
                const std::lock_guard<std::mutex> lock(keptMutex);
                if (kept.size() >= 3) {
                    break;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        board.kill();
        for (std::thread& sender : senders) {
            sender.join();
        }
    }
    std::cout << kept.size() << " of " << runs.size()
              << " runs were answered 201 before the kill\n";
    EXPECT_GT(kept.size(), 0u);
    EXPECT_LT(kept.size(), runs.size());

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder.path + "/board.sqlite").c_str(), &db), SQLITE_OK);
    std::string integrity;
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] != nullptr ? values[0] : "";
            return 0;
        },
        &integrity, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(integrity, "ok");

    BoardProcess again(database, {"--runs-per-minute", "100000"});
    ASSERT_TRUE(again.running());
    for (const auto& [run, bytes] : kept) {
        const HttpReply download =
            httpRequest("GET", again.url("/api/v1/runs/" + std::to_string(run) + ".zxr"));
        EXPECT_EQ(download.status, 200) << run;
        EXPECT_EQ(download.body, bytes) << run;
    }
    // Nothing half-written: every player's row on the board is a whole run.
    const json board =
        json::parse(httpRequest("GET", again.url("/api/v1/circuits/7/board?limit=100")).body);
    for (const json& entry : board.at("entries")) {
        EXPECT_GT(entry.at("race_ms").get<uint32_t>(), 0u);
        EXPECT_EQ(
            httpRequest("GET", again.url("/api/v1/runs/" +
                                         std::to_string(entry.at("run").get<int64_t>()) + ".zxr"))
                .status,
            200);
    }
}

}  // namespace
