#include "world/world_sender.h"

#include <condition_variable>
#include <deque>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "world/board_answers.h"
#include "world/board_http.h"
#include "world/board_tokens.h"
#include "world/outbox.h"

namespace {
constexpr const char* UNREACHABLE_LINE = "board unreachable, will send later";

struct Sender {
    std::mutex mutex;
    std::condition_variable wake;
    WorldChoice choice;
    bool sendOutbox = false;  // look through the outbox on the next turn
    bool stopping = false;
    std::atomic<bool> cancel{false};
    std::map<uint32_t, std::string> lines;
    // Bests the outbox could not keep: held here for this run instead.
    std::deque<Replay> unkept;
    std::thread thread;
    bool outboxProblemSaid = false;
    bool tokenProblemSaid = false;
};

Sender& sender() {
    static Sender one;
    return one;
}

bool stillChosen(Sender& s, const WorldChoice& choice) {
    return s.choice.board == choice.board && s.choice.player == choice.player;
}

// Sends every run waiting, oldest first, until the board cannot be reached:
// those after it wait for the next finish or the next start.
void sendTheOutbox(Sender& s, const WorldChoice& choice) {
    for (const std::string& path : outboxFiles()) {
        const ReplayRead read = readReplayFile(path);
        if (read.status != ReplayStatus::Valid) {
            removeFromOutbox(path);  // nothing any board would take
            continue;
        }
        {
            const std::lock_guard<std::mutex> lock(s.mutex);
            s.lines[read.replay.circuit] = "sent";
        }
        const WorldSend sent =
            sendRunToTheWorld(choice, encodeReplay(read.replay), read.replay.circuit, &s.cancel);
        {
            const std::lock_guard<std::mutex> lock(s.mutex);
            if (!stillChosen(s, choice)) {
                return;  // the board or name changed meanwhile: the run waits for the new one
            }
            s.lines[read.replay.circuit] = sent.line;
        }
        if (sent.outcome == WorldSend::Outcome::Unreachable) {
            return;
        }
        removeFromOutbox(path);
    }
}

// Those held in memory first: they have no file to wait in.
void sendTheUnkept(Sender& s, const WorldChoice& choice) {
    std::deque<Replay> waiting;
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        waiting.swap(s.unkept);
    }
    while (!waiting.empty()) {
        const Replay run = waiting.front();
        const WorldSend sent = sendRunToTheWorld(choice, encodeReplay(run), run.circuit, &s.cancel);
        const std::lock_guard<std::mutex> lock(s.mutex);
        if (stillChosen(s, choice)) {
            s.lines[run.circuit] = sent.line;
        }
        if (sent.outcome == WorldSend::Outcome::Unreachable || !stillChosen(s, choice)) {
            s.unkept.insert(s.unkept.begin(), waiting.begin(), waiting.end());
            return;
        }
        waiting.pop_front();
    }
}

void work(Sender& s) {
    std::unique_lock<std::mutex> lock(s.mutex);
    while (true) {
        s.wake.wait(lock, [&s] { return s.stopping || s.sendOutbox; });
        if (s.stopping) {
            return;
        }
        s.sendOutbox = false;
        const WorldChoice choice = s.choice;
        if (choice.board.empty()) {
            continue;  // none chosen: nothing leaves the machine
        }
        lock.unlock();
        sendTheUnkept(s, choice);
        sendTheOutbox(s, choice);
        lock.lock();
    }
}
}  // namespace

std::string ordinal(uint32_t n) {
    const uint32_t tens = n % 100;
    const char* suffix = "th";
    if (tens < 11 || tens > 13) {
        suffix = n % 10 == 1 ? "st" : n % 10 == 2 ? "nd" : n % 10 == 3 ? "rd" : "th";
    }
    return std::to_string(n) + suffix;
}

WorldSend sendRunToTheWorld(const WorldChoice& choice, const std::string& bytes, uint32_t circuit,
                            const std::atomic<bool>* cancel) {
    BoardExchangeLimits limits;
    limits.cancel = cancel;
    const SentRun sent =
        readSentRun(askBoard("POST", choice.board, "/api/v1/runs", bytes, choice.player,
                             tokenForBoard(choice.board, choice.player), limits));
    WorldSend result;
    if (sent.outcome == SentRun::Outcome::Unreachable) {
        result.line = UNREACHABLE_LINE;
        return result;
    }
    if (sent.outcome == SentRun::Outcome::Refused) {
        result.outcome = WorldSend::Outcome::Refused;
        result.line = sent.reason;
        return result;
    }
    result.outcome = WorldSend::Outcome::Accepted;
    if (!sent.token.empty()) {
        std::string failure;
        if (!keepTokenForBoard(choice.board, choice.player, sent.token, failure)) {
            std::cerr << "zentrix: cannot keep the board's token for your name: " << failure
                      << "\n";
        }
    }
    const WorldBoard board = readWorldBoard(askBoard(
        "GET", choice.board, "/api/v1/circuits/" + std::to_string(circuit) + "/board?limit=1", "",
        "", "", limits));
    result.line = "world " + ordinal(sent.rank);
    if (board.read && board.total >= sent.rank) {
        result.line += " of " + std::to_string(board.total);
    }
    return result;
}

namespace {
// The thread ended, any exchange under way with it; a later start begins afresh.
void endTheThread(Sender& s) {
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        s.stopping = true;
        s.cancel = true;
    }
    s.wake.notify_one();
    if (s.thread.joinable()) {
        s.thread.join();
    }
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.stopping = false;
    s.cancel = false;
}
}  // namespace

void startWorldSender(const WorldChoice& choice) {
    Sender& s = sender();
    if (choice.board.empty() || choice.player.empty()) {
        // No board any more: nothing more leaves the machine, and the lines
        // said of the old one are no longer true. The thread idles; an
        // exchange under way ends within its bound and its answer is dropped.
        const std::lock_guard<std::mutex> lock(s.mutex);
        s.choice = WorldChoice();
        s.lines.clear();
        return;
    }
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (s.choice.board != choice.board || s.choice.player != choice.player) {
        s.lines.clear();  // another board's ranks, or another name's
    }
    s.choice = choice;
    s.sendOutbox = true;
    if (!s.thread.joinable()) {
        s.thread = std::thread([&s] { work(s); });
    }
    s.wake.notify_one();
}

void sendBestToTheWorld(const Replay& best) {
    Sender& s = sender();
    {
        const std::lock_guard<std::mutex> lock(s.mutex);
        if (s.choice.board.empty()) {
            return;  // no board chosen: nothing leaves the machine
        }
    }
    std::string failure;
    if (!keepInOutbox(best, failure)) {
        const std::lock_guard<std::mutex> lock(s.mutex);
        if (!s.outboxProblemSaid) {
            std::cerr << "zentrix: cannot keep runs for the board: " << failure << "\n";
            s.outboxProblemSaid = true;
        }
        s.unkept.push_back(best);
        s.lines[best.circuit] = "sent";
        s.sendOutbox = true;
        s.wake.notify_one();
        return;
    }
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.lines[best.circuit] = "sent";
    s.sendOutbox = true;
    s.wake.notify_one();
}

std::optional<std::string> worldLineFor(uint32_t circuit) {
    Sender& s = sender();
    const std::lock_guard<std::mutex> lock(s.mutex);
    const auto found = s.lines.find(circuit);
    if (found == s.lines.end()) {
        return std::nullopt;
    }
    return found->second;
}

void stopWorldSender() {
    endTheThread(sender());
}
