// The board's small rules: names, the circuit of the day, the rate limit, the
// command line, and a child kept within its bounds.
#include <gtest/gtest.h>

#include "board/answer_cache.h"
#include "board/board_options.h"
#include "board/child_process.h"
#include "board/circuit_of_the_day.h"
#include "board/rate_limit.h"
#include "saves/player_name.h"

namespace {

TEST(PlayerName, LettersDigitsAndAFewMarksAndBoardAddresses) {
    const struct {
        const char* name;
        bool taken;
    } cases[] = {
        {"Ann", true},
        {"a", true},
        {"Ann B.", true},
        {"x_y-z.9", true},
        {"", false},
        {" Ann", false},
        {"Ann ", false},
        {"O'Brien", false},
        {"<script>", false},
        {"a;b", false},
        {"tab\there", false},
        {"é", false},
        {".", false},
        {"..", false},
        {"- _", false},
        {"abcdefghijklmnopqrstuvwx", true},
        {"abcdefghijklmnopqrstuvwxy", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isPlayerName(c.name), c.taken) << '"' << c.name << '"';
    }
    for (const char* board : {"http://127.0.0.1:8080", "https://board.example.org/zentrix"}) {
        EXPECT_TRUE(isBoardAddress(board)) << board;
    }
    for (const char* board : {"", "http://", "ftp://x", "file:///etc", "http://a b", "http://x/"}) {
        EXPECT_FALSE(isBoardAddress(board)) << board;
    }
}

TEST(CircuitOfTheDay, OneADayTheSameEverywhereNeverTheClassic) {
    const std::time_t noon = 1796817600;  // 2026-12-09 12:00 UTC
    const CircuitOfTheDay today = circuitOfTheDay(noon);
    EXPECT_EQ(today.date, "2026-12-09");
    EXPECT_EQ(circuitOfTheDay(noon - 12 * 3600).circuit, today.circuit);
    EXPECT_EQ(circuitOfTheDay(noon + 12 * 3600 - 1).circuit, today.circuit);
    EXPECT_EQ(circuitOfTheDay(noon + 12 * 3600).date, "2026-12-10");
    EXPECT_NE(circuitOfTheDay(noon + 12 * 3600).circuit, today.circuit);
    for (std::time_t day = 0; day < 2000; ++day) {
        EXPECT_NE(circuitOfTheDay(day * 86400).circuit, 0u);
    }
    EXPECT_EQ(utcTimestamp(noon), "2026-12-09T12:00:00Z");
}

TEST(RateLimit, ABurstIsTakenThenOneEachShareOfTheMinute) {
    RateLimit limit(3);
    const RateLimit::Clock::time_point start{};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(limit.secondsToWait("127.0.0.1", start), 0u);
    }
    EXPECT_EQ(limit.secondsToWait("127.0.0.1", start), 20u);
    EXPECT_EQ(limit.secondsToWait("::1", start), 0u);  // another address has its own
    EXPECT_EQ(limit.secondsToWait("127.0.0.1", start + std::chrono::seconds(20)), 0u);
    EXPECT_GT(limit.secondsToWait("127.0.0.1", start + std::chrono::seconds(21)), 0u);
}

TEST(BoardOptions, TheCommandLine) {
    using Request = BoardOptions::Request;
    const struct {
        std::vector<const char*> arguments;
        Request request;
    } cases[] = {
        {{}, Request::Serve},
        {{"--listen", "127.0.0.1:0", "--database", "sqlite:/tmp/b"}, Request::Serve},
        {{"--listen", "127.0.0.1"}, Request::Usage},
        {{"--listen", "127.0.0.1:65536"}, Request::Usage},
        {{"--runs-per-minute", "0"}, Request::Usage},
        {{"--runs-per-minute"}, Request::Usage},
        {{"--pilot-run", "4294967296"}, Request::Usage},
        {{"--pilot-run", "7"}, Request::PilotRun},
        {{"--check-run"}, Request::CheckRun},
        {{"--help"}, Request::Help},
        {{"--frobnicate"}, Request::Usage},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"zentrix-board"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(parseBoardOptions(static_cast<int>(argv.size()), argv.data()).request, c.request)
            << (c.arguments.empty() ? "(none)" : c.arguments[0]);
    }
    const char* listen[] = {"zentrix-board", "--listen", "127.0.0.1:9000"};
    const BoardOptions options = parseBoardOptions(3, listen);
    EXPECT_EQ(options.listenAddress, "127.0.0.1");
    EXPECT_EQ(options.port, 9000);
}

TEST(ChildProcess, KeptWithinItsBounds) {
    ChildLimits quick;
    quick.wallMilliseconds = 1000;
    const ChildResult echoed = runChild("/bin/cat", {"cat"}, "a run", quick);
    EXPECT_TRUE(echoed.exited);
    EXPECT_EQ(echoed.output, "a run");

    const ChildResult spinning = runChild("/bin/sh", {"sh", "-c", "while :; do :; done"}, "", [] {
        ChildLimits limits;
        limits.cpuSeconds = 1;
        return limits;
    }());
    EXPECT_FALSE(spinning.exited);
    EXPECT_EQ(spinning.signal, SIGXCPU);

    const ChildResult waiting = runChild("/bin/sleep", {"sleep", "30"}, "", quick);
    EXPECT_TRUE(waiting.timedOut);
    EXPECT_EQ(waiting.signal, SIGKILL);

    const ChildResult missing = runChild("/nonexistent", {"x"}, "", quick);
    EXPECT_TRUE(missing.exited);
    EXPECT_EQ(missing.exitStatus, 127);
}

}  // namespace

namespace {

TEST(AnswerCache, KeptForAMomentForgottenWhenARunComesIn) {
    AnswerCache cache(std::chrono::milliseconds(1000), 3);
    const AnswerCache::Clock::time_point now{};
    const uint64_t before = cache.generation(7);
    cache.keep("board 7", 7, before, "old", now);
    EXPECT_EQ(cache.find("board 7", now + std::chrono::milliseconds(999)), "old");
    EXPECT_EQ(cache.find("board 7", now + std::chrono::milliseconds(1001)), std::nullopt);

    // A run kept while an answer was being worked out: that answer is not kept.
    const uint64_t during = cache.generation(7);
    cache.forgetCircuit(7);
    cache.keep("board 7", 7, during, "stale", now);
    EXPECT_EQ(cache.find("board 7", now), std::nullopt);

    cache.keep("board 8", 8, cache.generation(8), "eight", now);
    cache.keep("board 7", 7, cache.generation(7), "new", now);
    cache.forgetCircuit(7);
    EXPECT_EQ(cache.find("board 7", now), std::nullopt);
    EXPECT_EQ(cache.find("board 8", now), "eight");
}

}  // namespace
