// A real zentrix-board on loopback with SQLite, asked over HTTP as a game or
// curl would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "board/pilot_check.h"
#include "board_server/board_test_support.h"
#include "craft/opponent.h"
#include "session/pilot_race.h"
#include "support/harness/board_process.h"
#include "support/harness/board_runs.h"
#include "support/harness/http_client.h"
#include "support/harness/race_start.h"
#include "support/postgres/postgres_cluster.h"

using nlohmann::json;
using testsupport::BoardProcess;
using testsupport::HttpReply;
using testsupport::httpRequest;

namespace {
using boardtest::CIRCUIT;
using boardtest::temporaryFolder;

struct BoardApi : ::testing::Test {
    static inline std::string folder;
    static inline std::unique_ptr<BoardProcess> board;
    static inline std::vector<std::string> variants;  // different finished time trials of CIRCUIT
    static inline std::string pilotRun;

    static void SetUpTestSuite() {
        folder = temporaryFolder();
        board =
            std::make_unique<BoardProcess>("sqlite:" + folder + "/board.sqlite",
                                           std::vector<std::string>{"--runs-per-minute", "100000"});
        makeRuns();
    }
    static void makeRuns() {
        if (!variants.empty()) {
            return;
        }
        for (uint32_t variant = 0; variant < 4; ++variant) {
            variants.push_back(encodeReplay(testsupport::pilotVariant(CIRCUIT, variant)));
        }
        pilotRun = encodeReplay(pilotRace(CIRCUIT));
    }
    static void TearDownTestSuite() {
        board.reset();
        std::filesystem::remove_all(folder);
    }

    static HttpReply send(const std::string& body, const std::string& player,
                          const std::string& token = "") {
        std::vector<std::string> headers = {"Content-Type: application/octet-stream",
                                            "X-Zentrix-Player: " + player};
        if (!token.empty()) {
            headers.push_back("Authorization: Bearer " + token);
        }
        return httpRequest("POST", board->url("/api/v1/runs"), body, headers);
    }
    // The whole of a game's dealings with the board, on a board fresh and empty.
    static void runsAreRacedAgainClaimedAndRanked(const std::string& database);
    static json get(const std::string& path, long expected = 200) {
        const HttpReply reply = httpRequest("GET", board->url(path));
        EXPECT_EQ(reply.status, expected) << path << ": " << reply.body;
        return json::parse(reply.body, nullptr, false);
    }
};

TEST_F(BoardApi, TheGameCraftHasTheParts) {
    // The board flies the pilot with this many parts; the game's data must agree.
    testsupport::startRaceWithoutGraphics();
    EXPECT_EQ(gOpponents[0].model.objects.size(), GAME_CRAFT_PARTS);
}

// The same board on a throw-away PostgreSQL instead of a file.
struct BoardApiOnPostgres : BoardApi {
    static inline std::unique_ptr<PostgresCluster> cluster;

    static void SetUpTestSuite() {
        cluster = std::make_unique<PostgresCluster>();
        board = std::make_unique<BoardProcess>(
            cluster->createDatabase(), std::vector<std::string>{"--runs-per-minute", "100000"});
        makeRuns();
    }
    static void TearDownTestSuite() {
        board.reset();
        cluster.reset();
    }
};

void BoardApi::runsAreRacedAgainClaimedAndRanked(const std::string& database) {
    ASSERT_TRUE(board->running());
    EXPECT_EQ(get("/api/v1/health"), json({{"ok", true}, {"database", database}}));

    // The first run claims the name and carries its token, once.
    const HttpReply first = send(variants[1], "Ann");
    ASSERT_EQ(first.status, 201) << first.body;
    const json claimed = json::parse(first.body);
    const std::string token = claimed.at("token");
    EXPECT_GE(token.size(), 32u);
    EXPECT_EQ(claimed.at("circuit"), CIRCUIT);
    EXPECT_EQ(claimed.at("rank"), 1);
    EXPECT_EQ(claimed.at("personal_best"), true);
    const Replay sent = decodeReplay(variants[1]).replay;
    EXPECT_EQ(claimed.at("race_ms"), sent.raceMs);
    EXPECT_EQ(claimed.at("laps_ms"), json::array({sent.lapMs[0], sent.lapMs[1], sent.lapMs[2]}));

    const HttpReply again = send(variants[2], "Ann", token);
    ASSERT_EQ(again.status, 201) << again.body;
    EXPECT_FALSE(json::parse(again.body).contains("token"));
    ASSERT_EQ(send(variants[3], "Bob").status, 201);

    // Refused, each for its own reason; the board is unchanged by them.
    Replay claimsAnotherCircuit = sent;
    claimsAnotherCircuit.circuit = CIRCUIT + 1;
    Replay otherEnd = sent;
    otherEnd.finalStateHash ^= 1;
    Replay race = sent;
    race.mode = RaceMode::Race;
    Replay unfinished = sent;
    unfinished.controls.resize(600);
    struct Refusal {
        const char* what;
        std::string body;
        std::string player;
        std::string token;
        long status;
    } refusals[] = {
        {"claimed name, no token", variants[0], "Ann", "", 401},
        {"claimed name, another's token", variants[0], "Ann", std::string(64, 'a'), 403},
        {"the same run again, any name", variants[1], "Cy", "", 409},
        {"the pilot's own run", pilotRun, "Cy", "", 409},
        {"not a replay", "hello", "Cy", "", 400},
        {"a name with a quote", variants[0], "O'Brien", "", 400},
        {"a name of markup", variants[0], "<script>", "", 400},
        {"a name too long", variants[0], std::string(25, 'x'), "", 400},
        {"another circuit than it claims", encodeReplay(claimsAnotherCircuit), "Cy", "", 422},
        {"ends otherwise than it says", encodeReplay(otherEnd), "Cy", "", 422},
        {"a race, not a time trial", encodeReplay(race), "Cy", "", 422},
        {"not finished", encodeReplay(unfinished), "Cy", "", 422},
        {"too large", std::string(65537, 'x'), "Cy", "", 413},
    };
    for (const Refusal& refusal : refusals) {
        const HttpReply reply = send(refusal.body, refusal.player, refusal.token);
        EXPECT_EQ(reply.status, refusal.status) << refusal.what << ": " << reply.body;
        EXPECT_TRUE(json::parse(reply.body, nullptr, false).contains("error")) << refusal.what;
    }

    // One row a player, their best, fastest first; the pilot beside them.
    const json boardNow = get("/api/v1/circuits/7/board?limit=10");
    EXPECT_EQ(boardNow.at("total"), 2);
    ASSERT_EQ(boardNow.at("entries").size(), 2u);
    EXPECT_EQ(boardNow.at("pilot_ms"), decodeReplay(pilotRun).replay.raceMs);
    uint32_t previous = 0;
    for (size_t i = 0; i < 2; ++i) {
        const json& entry = boardNow.at("entries")[i];
        EXPECT_EQ(entry.at("rank"), i + 1);
        EXPECT_GE(entry.at("race_ms").get<uint32_t>(), previous);
        previous = entry.at("race_ms");
        EXPECT_EQ(entry.at("game_version"), sent.gameVersion);
    }
    EXPECT_EQ(get("/api/v1/circuits/7/board?limit=1&offset=1").at("entries")[0].at("rank"), 2);
    EXPECT_EQ(get("/api/v1/circuits/8/board").at("total"), 0);

    // A run downloaded is the file sent, and the board will not take it again.
    const int64_t run = claimed.at("run");
    const HttpReply download =
        httpRequest("GET", board->url("/api/v1/runs/" + std::to_string(run) + ".zxr"));
    EXPECT_EQ(download.status, 200);
    EXPECT_EQ(download.body, variants[1]);
    EXPECT_EQ(send(download.body, "Dee").status, 409);

    const json ann = get("/api/v1/players/Ann");
    ASSERT_EQ(ann.at("bests").size(), 1u);
    EXPECT_EQ(ann.at("bests")[0].at("circuit"), CIRCUIT);

    const json today = get("/api/v1/today");
    EXPECT_EQ(today.at("date").get<std::string>().size(), 10u);
    EXPECT_NE(today.at("circuit"), 0);

    for (const char* missing : {"/api/v1/players/Nobody", "/api/v1/runs/999999.zxr",
                                "/api/v1/circuits/4294967296/board", "/api/v1/circuits/x/board"}) {
        get(missing, 404);
    }
    get("/api/v1/circuits/7/board?limit=ten", 400);
}

TEST_F(BoardApi, RunsAreRacedAgainClaimedAndRanked) {
    runsAreRacedAgainClaimedAndRanked("sqlite");
}

TEST_F(BoardApiOnPostgres, RunsAreRacedAgainClaimedAndRanked) {
    runsAreRacedAgainClaimedAndRanked("postgresql");
}

TEST(BoardRateLimit, TooManyFromOneAddressWaitTheirTurn) {
    const std::string folder = temporaryFolder();
    {
        BoardProcess board("sqlite:" + folder + "/board.sqlite", {"--runs-per-minute", "3"});
        ASSERT_TRUE(board.running());
        long statuses[4] = {};
        HttpReply last;
        for (long& status : statuses) {
            last = httpRequest("POST", board.url("/api/v1/runs"), "not a replay",
                               {"X-Zentrix-Player: Ann"});
            status = last.status;
        }
        EXPECT_EQ(statuses[2], 400);
        EXPECT_EQ(statuses[3], 429);
        EXPECT_GE(std::stoi(last.header("Retry-After")), 1);
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
