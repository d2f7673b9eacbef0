#include "world/world_fetch.h"

#include <mutex>
#include <thread>

#include "world/board_http.h"

namespace {
struct Fetches {
    std::mutex mutex;
    WorldPage page;
    std::optional<uint32_t> today;
    std::atomic<bool> cancel{false};
    std::thread pageThread;
    std::thread todayThread;
};

Fetches& fetches() {
    static Fetches one;
    return one;
}

void joinPageFetch(Fetches& f) {
    if (f.pageThread.joinable()) {
        f.cancel = true;
        f.pageThread.join();
        f.cancel = false;
    }
}

WorldPage fetchNow(const WorldChoice& choice, uint32_t circuit, const std::atomic<bool>* cancel) {
    BoardExchangeLimits limits;
    limits.cancel = cancel;
    WorldPage page;
    page.circuit = circuit;
    page.board = readWorldBoard(askBoard(
        "GET", choice.board,
        "/api/v1/circuits/" + std::to_string(circuit) + "/board?limit=" + std::to_string(WORLD_ROWS_SHOWN),
        "", "", "", limits));
    if (!page.board.read) {
        page.state = WorldPage::State::Offline;
        page.problem = shownText(page.board.problem);
        return page;
    }
    if (!choice.player.empty()) {
        page.playerRank = readPlayerRank(
            askBoard("GET", choice.board, "/api/v1/players/" + pathSegment(choice.player), "", "", "",
                     limits),
            circuit);
    }
    for (const WorldRow& row : page.board.rows) {
        std::string problem;
        std::optional<Replay> run = worldRun(choice, row.run, problem, cancel);
        // Only a run of this circuit's time trial can fly as its ghost.
        if (run && (run->circuit != circuit || run->mode != RaceMode::TimeTrial)) {
            run.reset();
        }
        page.runs.push_back(std::move(run));
    }
    page.state = WorldPage::State::Shown;
    return page;
}
}  // namespace

std::optional<Replay> worldRun(const WorldChoice& choice, int64_t run, std::string& problem,
                               const std::atomic<bool>* cancel) {
    BoardExchangeLimits limits;
    limits.cancel = cancel;
    limits.bodyBytesMax = REPLAY_FILE_MAX_BYTES;
    const BoardReply reply = askBoard(
        "GET", choice.board, "/api/v1/runs/" + std::to_string(run) + ".zxr", "", "", "", limits);
    if (!reply.reached || reply.status != 200) {
        problem = reply.reached ? "the board has no such run" : reply.problem;
        return std::nullopt;
    }
    ReplayRead read = decodeReplay(reply.body);
    if (read.status != ReplayStatus::Valid) {
        problem = "the board's run is no replay: " + read.problem;
        return std::nullopt;
    }
    return std::move(read.replay);
}

void fetchWorldPage(const WorldChoice& choice, uint32_t circuit) {
    Fetches& f = fetches();
    joinPageFetch(f);
    if (choice.board.empty()) {
        const std::lock_guard<std::mutex> lock(f.mutex);
        f.page = WorldPage();
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(f.mutex);
        f.page = WorldPage();
        f.page.state = WorldPage::State::Waiting;
        f.page.circuit = circuit;
    }
    f.pageThread = std::thread([&f, choice, circuit] {
        WorldPage page = fetchNow(choice, circuit, &f.cancel);
        const std::lock_guard<std::mutex> lock(f.mutex);
        if (f.page.circuit == circuit) {
            f.page = std::move(page);
        }
    });
}

WorldPage worldPageNow(uint32_t circuit) {
    Fetches& f = fetches();
    const std::lock_guard<std::mutex> lock(f.mutex);
    if (f.page.circuit != circuit) {
        return WorldPage();
    }
    return f.page;
}

std::optional<uint32_t> circuitOfTheDayFrom(const WorldChoice& choice, std::string& problem) {
    BoardExchangeLimits limits;
    limits.cancel = &fetches().cancel;
    return readCircuitOfTheDay(askBoard("GET", choice.board, "/api/v1/today", "", "", "", limits),
                               problem);
}

void fetchCircuitOfTheDay(const WorldChoice& choice) {
    Fetches& f = fetches();
    if (choice.board.empty() || f.todayThread.joinable()) {
        return;
    }
    f.todayThread = std::thread([&f, choice] {
        std::string problem;
        const std::optional<uint32_t> today = circuitOfTheDayFrom(choice, problem);
        const std::lock_guard<std::mutex> lock(f.mutex);
        f.today = today;
    });
}

std::optional<uint32_t> circuitOfTheDayNow() {
    Fetches& f = fetches();
    const std::lock_guard<std::mutex> lock(f.mutex);
    return f.today;
}

void stopWorldFetches() {
    Fetches& f = fetches();
    f.cancel = true;
    if (f.pageThread.joinable()) {
        f.pageThread.join();
    }
    if (f.todayThread.joinable()) {
        f.todayThread.join();
    }
}
