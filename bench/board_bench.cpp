// The world board under load: many clients at once reading boards and pages
// and sending runs, good and bad, against a real zentrix-board on SQLite and
// on PostgreSQL in turn. Prints per kind of request how many, how fast and
// how many went wrong, and whether every run answered as kept was kept.
//
//   board_bench [--clients 200] [--seconds 30] [--database both|sqlite|postgresql]
//               [--valid-rate 20] [--invalid-rate 10] [--read-rate 0]
//
// Readers go flat out by default, each asking again as soon as answered: then
// 200 of them wait, by Little's law, 200 / (reads a second) each on average.
// --read-rate R paces them to R reads a second between them, as players
// looking at boards now and then would.
#include <curl/curl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>

#include "board_load/board_load.h"
#include "support/harness/board_process.h"
#include "support/harness/board_runs.h"
#include "support/harness/http_client.h"
#include "support/postgres/postgres_cluster.h"

using boardload::Kind;
using Clock = std::chrono::steady_clock;

namespace {
const std::vector<uint32_t> CIRCUITS = {7, 12, 21};
constexpr uint32_t SEEDED_PER_CIRCUIT = 20;
// The goals the board is held to on a machine of two cores.
constexpr double READS_PER_SECOND_GOAL = 5000;
constexpr double READ_P99_GOAL_MS = 20;
constexpr double RUNS_PER_SECOND_GOAL = 15;

struct BenchOptions {
    unsigned clients = 200;
    double seconds = 30;
    std::string database = "both";
    double validRate = 20;
    double invalidRate = 10;
    double readRate = 0;
};

bool parseOptions(int argc, char** argv, BenchOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--clients") {
            options.clients = static_cast<unsigned>(std::stoul(value));
        } else if (option == "--seconds") {
            options.seconds = std::stod(value);
        } else if (option == "--database") {
            options.database = value;
        } else if (option == "--valid-rate") {
            options.validRate = std::stod(value);
        } else if (option == "--read-rate") {
            options.readRate = std::stod(value);
        } else if (option == "--invalid-rate") {
            options.invalidRate = std::stod(value);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.clients >= 4 && options.seconds > 0 &&
           (options.database == "both" || options.database == "sqlite" ||
            options.database == "postgresql");
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The runs the load sends: a few per circuit to seed the boards before the
// clock starts, and enough after that none is sent twice.
struct Runs {
    std::vector<std::string> seeds;
    std::vector<std::string> load;
    std::string tampered;
};

Runs makeRuns(const BenchOptions& options) {
    const boardload::ClientShare share = boardload::shareClients(options.clients);
    const size_t loadCount =
        static_cast<size_t>(std::ceil(options.validRate * options.seconds * 1.1)) +
        share.validSenders;
    Runs runs;
    uint32_t variant = 0;
    for (uint32_t circuit : CIRCUITS) {
        for (uint32_t i = 0; i < SEEDED_PER_CIRCUIT; ++i) {
            runs.seeds.push_back(encodeReplay(testsupport::pilotVariant(circuit, variant++)));
        }
    }
    for (size_t i = 0; i < loadCount; ++i) {
        runs.load.push_back(
            encodeReplay(testsupport::pilotVariant(CIRCUITS[i % CIRCUITS.size()], variant++)));
    }
    Replay tampered = testsupport::pilotVariant(CIRCUITS[0], variant++);
    tampered.finalStateHash ^= 1;
    runs.tampered = encodeReplay(tampered);
    return runs;
}

// Seeds the boards, a player a run, and has the board work out each
// circuit's pilot, so the load meets boards with entries. False when a seed
// was refused.
bool seedBoard(const testsupport::BoardProcess& board, const Runs& runs) {
    std::atomic<size_t> next{0};
    std::atomic<bool> allKept{true};
    std::vector<std::thread> senders;
    for (int s = 0; s < 2; ++s) {
        senders.emplace_back([&] {
            for (size_t i = next++; i < runs.seeds.size(); i = next++) {
                const testsupport::HttpReply reply =
                    testsupport::httpRequest("POST", board.url("/api/v1/runs"), runs.seeds[i],
                                             {"Content-Type: application/octet-stream",
                                              "X-Zentrix-Player: Seed " + std::to_string(i)});
                if (reply.status != 201) {
                    std::cerr << "a seed run was answered " << reply.status << " " << reply.body
                              << "\n";
                    allKept = false;
                }
            }
        });
    }
    for (std::thread& sender : senders) {
        sender.join();
    }
    return allKept;
}

// Valid runs answered 201 whose bytes the board does not give back.
size_t missingAfterwards(const testsupport::BoardProcess& board, const boardload::LoadPlan& plan,
                         const std::vector<boardload::KeptRun>& kept) {
    size_t missing = 0;
    for (const boardload::KeptRun& run : kept) {
        const testsupport::HttpReply download = testsupport::httpRequest(
            "GET", board.url("/api/v1/runs/" + std::to_string(run.id) + ".zxr"));
        if (download.status != 200 || download.body != plan.valid[run.valid]) {
            ++missing;
        }
    }
    return missing;
}

const char* passed(bool met) {
    return met ? "PASS" : "FAIL";
}

void report(const std::string& database, const BenchOptions& options,
            boardload::LoadFigures& figures, size_t missing) {
    std::printf("\n== %s: %u clients, %.0f s (%.1f s to the last answer) ==\n", database.c_str(),
                options.clients, options.seconds, figures.seconds);
    std::printf("%-13s %9s %9s %9s %9s %11s\n", "kind", "requests", "per s", "p50 ms", "p99 ms",
                "unexpected");
    double boardReadsPerSecond = 0;
    double boardReadP99 = 0;
    for (int k = 0; k < boardload::KIND_COUNT; ++k) {
        boardload::KindFigures& kind = figures.kinds[k];
        const double perSecond = static_cast<double>(kind.requests) / options.seconds;
        const double p50 = boardload::percentile(kind.latenciesMs, 0.50);
        const double p99 = boardload::percentile(kind.latenciesMs, 0.99);
        if (static_cast<Kind>(k) == Kind::BoardRead) {
            boardReadsPerSecond = perSecond;
            boardReadP99 = p99;
        }
        std::printf("%-13s %9llu %9.1f %9.2f %9.2f %11llu\n",
                    boardload::kindName(static_cast<Kind>(k)),
                    static_cast<unsigned long long>(kind.requests), perSecond, p50, p99,
                    static_cast<unsigned long long>(kind.unexpected));
    }
    const size_t answered = figures.kept.size();
    const size_t lost = (figures.validSent - answered) + missing;
    const double racedPerSecond = static_cast<double>(answered) / options.seconds;
    std::printf(
        "valid runs: sent %llu, answered 201 %zu, raced again %.1f/s, lost %zu "
        "(%zu not answered 201, %zu answered 201 but not downloadable as sent)\n",
        static_cast<unsigned long long>(figures.validSent), answered, racedPerSecond, lost,
        static_cast<size_t>(figures.validSent - answered), missing);
    for (const std::string& sample : figures.unexpectedSamples) {
        std::printf("  unexpected: %s\n", sample.c_str());
    }
    std::printf("goal: board reads >= %.0f/s: %.0f/s %s\n", READS_PER_SECOND_GOAL,
                boardReadsPerSecond, passed(boardReadsPerSecond >= READS_PER_SECOND_GOAL));
    std::printf("goal: board read p99 < %.0f ms: %.2f ms %s\n", READ_P99_GOAL_MS, boardReadP99,
                passed(boardReadP99 < READ_P99_GOAL_MS));
    std::printf("goal: runs raced again >= %.0f/s: %.1f/s %s\n", RUNS_PER_SECOND_GOAL,
                racedPerSecond, passed(racedPerSecond >= RUNS_PER_SECOND_GOAL));
    std::printf("goal: no valid run lost: %zu lost %s\n", lost, passed(lost == 0));
    std::fflush(stdout);
}

bool loadOne(const std::string& name, const std::string& database, const BenchOptions& options,
             const Runs& runs) {
    testsupport::BoardProcess board(database, {"--runs-per-minute", "1000000"});
    if (!board.running()) {
        std::cerr << "board_bench: the board did not start on " << name << "\n";
        return false;
    }
    const Clock::time_point seeding = Clock::now();
    if (!seedBoard(board, runs)) {
        return false;
    }
    for (uint32_t circuit : CIRCUITS) {
        testsupport::httpRequest(
            "GET", board.url("/api/v1/circuits/" + std::to_string(circuit) + "/board"));
    }
    std::printf("\n%s: %zu seed runs sent and pilots worked out in %.1f s\n", name.c_str(),
                runs.seeds.size(), secondsSince(seeding));

    boardload::LoadPlan plan;
    const std::string base = board.url("");
    plan.baseUrl = base;
    plan.clients = options.clients;
    plan.seconds = options.seconds;
    plan.circuits = CIRCUITS;
    plan.valid = runs.load;
    plan.garbage = "this is not a run at all, only words";
    plan.tampered = runs.tampered;
    plan.validPerSecond = options.validRate;
    plan.invalidPerSecond = options.invalidRate;
    plan.readsPerSecond = options.readRate;
    boardload::LoadFigures figures = boardload::runLoad(plan);
    const size_t missing = missingAfterwards(board, plan, figures.kept);
    report(name, options, figures, missing);
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << "usage: board_bench [--clients N (from 4)] [--seconds S] "
                     "[--database both|sqlite|postgresql] [--valid-rate R] [--invalid-rate R] "
                     "[--read-rate R]\n";
        return 2;
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const boardload::ClientShare share = boardload::shareClients(options.clients);
    std::printf(
        "clients: %u board readers, %u page readers, %u valid senders (%.0f runs/s), "
        "%u invalid senders (%.0f runs/s); %u cores\n",
        share.boardReaders, share.pageReaders, share.validSenders, options.validRate,
        share.invalidSenders, options.invalidRate, std::thread::hardware_concurrency());

    const Clock::time_point making = Clock::now();
    const Runs runs = makeRuns(options);
    std::printf("made %zu distinct valid runs (%zu seeds, %zu for the load) in %.1f s\n",
                runs.seeds.size() + runs.load.size(), runs.seeds.size(), runs.load.size(),
                secondsSince(making));
    std::fflush(stdout);

    bool ran = true;
    if (options.database != "postgresql") {
        char folder[] = "/tmp/zentrix-board-bench-XXXXXX";
        const std::string path = mkdtemp(folder);
        ran = loadOne("sqlite", "sqlite:" + path + "/board.sqlite", options, runs) && ran;
        std::filesystem::remove_all(path);
    }
    if (options.database != "sqlite") {
        try {
            PostgresCluster cluster;
            ran = loadOne("postgresql", cluster.createDatabase(), options, runs) && ran;
        } catch (const std::exception& error) {
            std::cerr << "board_bench: no PostgreSQL to load: " << error.what() << "\n";
            ran = false;
        }
    }
    curl_global_cleanup();
    return ran ? 0 : 1;
}
