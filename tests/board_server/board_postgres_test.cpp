// The board on PostgreSQL with the database restarted under it: the board
// says it is unavailable meanwhile, keeps nothing it did not say it kept,
// and takes runs again once the database is back, by itself.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "board_server/board_test_support.h"
#include "support/harness/board_process.h"
#include "support/harness/board_runs.h"
#include "support/harness/http_client.h"
#include "support/postgres/postgres_cluster.h"

using nlohmann::json;
using testsupport::BoardProcess;
using testsupport::HttpReply;
using testsupport::httpRequest;
using Clock = std::chrono::steady_clock;

namespace {
using boardtest::CIRCUIT;
constexpr int SENDERS = 4;
constexpr int RUNS_EACH = 8;

// What the senders saw, shared while they send.
struct Sent {
    std::mutex mutex;
    std::vector<std::pair<int64_t, std::string>> kept;  // run id and the bytes sent
    std::vector<std::string> wrong;                     // answers no sender should get
    std::atomic<int> unavailable{0};
    std::atomic<int> retakenAfterUnavailable{0};

    void fault(const std::string& what) {
        const std::lock_guard<std::mutex> lock(mutex);
        wrong.push_back(what);
    }
};

// Sends each run until the board takes it: 503 is waited out and sent again;
// a run sent again after a 503 may have been kept the first time (the commit
// made, its answer lost with the database), so then 409 counts as taken.
void sendAll(const BoardProcess& board, const std::vector<std::string>& runs,
             const std::string& player, Clock::time_point deadline, Sent& sent) {
    std::string token;
    for (const std::string& run : runs) {
        bool refusedBefore = false;
        while (true) {
            if (Clock::now() > deadline) {
                sent.fault(player + ": a run was still not taken at the deadline");
                return;
            }
            const HttpReply reply = boardtest::sendRun(board, run, player, token, 10000);
            if (reply.status == 201) {
                const json answer = json::parse(reply.body);
                if (answer.contains("token")) {
                    token = answer["token"];
                }
                const std::lock_guard<std::mutex> lock(sent.mutex);
                sent.kept.emplace_back(answer.at("run").get<int64_t>(), run);
                break;
            }
            if (reply.status == 503) {
                ++sent.unavailable;
                refusedBefore = true;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                continue;
            }
            if (reply.status == 409 && refusedBefore) {
                ++sent.retakenAfterUnavailable;
                break;
            }
            sent.fault(player + ": " + std::to_string(reply.status) + " " + reply.body +
                       reply.error);
            return;
        }
    }
}

TEST(BoardOnPostgres, TheDatabaseRestartedUnderSendersLosesNoRunAnswered201) {
    PostgresCluster cluster;
    BoardProcess board(cluster.createDatabase(), {"--runs-per-minute", "100000"});
    ASSERT_TRUE(board.running());
    EXPECT_EQ(json::parse(httpRequest("GET", board.url("/api/v1/health")).body).at("database"),
              "postgresql");

    std::vector<std::vector<std::string>> runs(SENDERS);
    for (int sender = 0; sender < SENDERS; ++sender) {
        for (int i = 0; i < RUNS_EACH; ++i) {
            runs[sender].push_back(encodeReplay(testsupport::pilotVariant(
                CIRCUIT, 2000 + static_cast<uint32_t>(sender * RUNS_EACH + i))));
        }
    }
    Sent sent;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(20);
    std::vector<std::thread> senders;
    for (int sender = 0; sender < SENDERS; ++sender) {
        senders.emplace_back(sendAll, std::cref(board), std::cref(runs[sender]),
                             "Sender" + std::to_string(sender), deadline, std::ref(sent));
    }
    // Midway, the database goes as in a crash; reads meanwhile are answered, if only with 503.
    while (Clock::now() < deadline) {
        {
            const std::lock_guard<std::mutex> lock(sent.mutex);
            if (sent.kept.size() >= SENDERS * RUNS_EACH / 3) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    cluster.stop();
    const Clock::time_point outageEnd = Clock::now() + std::chrono::milliseconds(1500);
    int readsDuringOutage = 0;
    while (Clock::now() < outageEnd) {
        const HttpReply read =
            httpRequest("GET", board.url("/api/v1/circuits/7/board"), "", {}, 3000);
        EXPECT_EQ(read.status, 503) << read.body << read.error;
        ++readsDuringOutage;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    cluster.start();
    for (std::thread& sender : senders) {
        sender.join();
    }

    EXPECT_TRUE(sent.wrong.empty()) << sent.wrong.front();
    EXPECT_GT(sent.unavailable.load(), 0) << "no sender met the outage";
    EXPECT_GT(readsDuringOutage, 0);
    EXPECT_EQ(sent.kept.size() + static_cast<size_t>(sent.retakenAfterUnavailable.load()),
              static_cast<size_t>(SENDERS * RUNS_EACH));
    std::cout << sent.kept.size() << " runs answered 201, " << sent.unavailable.load()
              << " answers 503 during the outage, " << sent.retakenAfterUnavailable.load()
              << " kept though answered 503\n";

    for (const auto& [run, bytes] : sent.kept) {
        const HttpReply download =
            httpRequest("GET", board.url("/api/v1/runs/" + std::to_string(run) + ".zxr"));
        EXPECT_EQ(download.status, 200) << run;
        EXPECT_EQ(download.body, bytes) << run;
    }
    const HttpReply health = httpRequest("GET", board.url("/api/v1/health"));
    EXPECT_EQ(health.status, 200);
    const json boardNow =
        json::parse(httpRequest("GET", board.url("/api/v1/circuits/7/board")).body);
    EXPECT_EQ(boardNow.at("total"), SENDERS);  // one best a sender
    EXPECT_TRUE(board.stop()) << "the board did not exit cleanly";
}

}  // namespace
