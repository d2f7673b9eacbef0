#include "world/world_fetch.h"

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "world/board_http.h"

namespace {
// One page's fetch: called off when another page opens, and let run out on
// its own thread (within its bounds) rather than waited for by the menu.
struct PageFetch {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> cancel = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
};

struct Fetches {
    std::mutex mutex;
    WorldPage page;
    uint64_t pageAsked = 0;  // which fetch the page shown is waiting for
    std::optional<uint32_t> today;
    std::atomic<bool> cancel{false};
    std::vector<PageFetch> pageFetches;
    std::thread todayThread;
};

Fetches& fetches() {
    static Fetches one;
    return one;
}

// Calls off every fetch under way, and joins those already ended.
void retirePageFetches(Fetches& f) {
    for (auto it = f.pageFetches.begin(); it != f.pageFetches.end();) {
        it->cancel->store(true);
        if (it->done->load()) {
            it->thread.join();
            it = f.pageFetches.erase(it);
        } else {
            ++it;
        }
    }
}

WorldPage fetchNow(const WorldChoice& choice, uint32_t circuit, const std::atomic<bool>* cancel) {
    BoardExchangeLimits limits;
    limits.cancel = cancel;
    WorldPage page;
    page.circuit = circuit;
    page.board = readWorldBoard(askBoard("GET", choice.board,
                                         "/api/v1/circuits/" + std::to_string(circuit) +
                                             "/board?limit=" + std::to_string(WORLD_ROWS_SHOWN),
                                         "", "", "", limits));
    if (!page.board.read) {
        page.state = WorldPage::State::Offline;
        page.problem = shownText(page.board.problem);
        return page;
    }
    if (!choice.player.empty()) {
        page.playerRank = readPlayerRank(
            askBoard("GET", choice.board, "/api/v1/players/" + pathSegment(choice.player), "", "",
                     "", limits),
            circuit);
    }
    for (const WorldRow& row : page.board.rows) {
        std::string problem;
        std::optional<Replay> run = worldRun(choice, row.run, problem, cancel);
        // Only a run of this circuit's time trial can fly as its ghost.
        if (run && (run->circuit != circuit || run->mode != RaceMode::TimeTrial)) {
            run.reset();
        }
        page.runs.push_back(run ? std::make_shared<const Replay>(std::move(*run)) : nullptr);
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
    const std::lock_guard<std::mutex> lock(f.mutex);
    retirePageFetches(f);
    f.page = WorldPage();
    const uint64_t asked = ++f.pageAsked;
    if (choice.board.empty()) {
        return;
    }
    f.page.state = WorldPage::State::Waiting;
    f.page.circuit = circuit;
    PageFetch fetch;
    fetch.thread =
        std::thread([&f, choice, circuit, asked, cancel = fetch.cancel, done = fetch.done] {
            WorldPage page = fetchNow(choice, circuit, cancel.get());
            {
                const std::lock_guard<std::mutex> lock(f.mutex);
                if (f.pageAsked == asked) {
                    f.page = std::move(page);
                }
            }
            done->store(true);
        });
    f.pageFetches.push_back(std::move(fetch));
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
    std::vector<PageFetch> under;
    {
        const std::lock_guard<std::mutex> lock(f.mutex);
        for (PageFetch& fetch : f.pageFetches) {
            fetch.cancel->store(true);
        }
        under.swap(f.pageFetches);
    }
    for (PageFetch& fetch : under) {
        fetch.thread.join();
    }
    if (f.todayThread.joinable()) {
        f.todayThread.join();
    }
}
