#include "board_load/board_load.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

namespace boardload {
namespace {
using Clock = std::chrono::steady_clock;
constexpr long REQUEST_TIMEOUT_MS = 30000;
constexpr size_t UNEXPECTED_SAMPLES_MAX = 8;

size_t appendBody(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

struct Reply {
    long status = 0;  // 0: no answer
    std::string body;
    std::string error;
    double ms = 0;
};

// One client's connection, kept open from one request to the next.
class Connection {
public:
    Connection() : curl_(curl_easy_init()) {}
    ~Connection() {
        curl_slist_free_all(runHeaders_);
        curl_easy_cleanup(curl_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Reply get(const std::string& url) {
        curl_easy_setopt(curl_, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, nullptr);
        return perform(url);
    }

    Reply post(const std::string& url, const std::string& body, const std::string& player,
               const std::string& token) {
        curl_slist_free_all(runHeaders_);
        runHeaders_ = curl_slist_append(nullptr, "Content-Type: application/octet-stream");
        runHeaders_ = curl_slist_append(runHeaders_, ("X-Zentrix-Player: " + player).c_str());
        if (!token.empty()) {
            runHeaders_ =
                curl_slist_append(runHeaders_, ("Authorization: Bearer " + token).c_str());
        }
        curl_easy_setopt(curl_, CURLOPT_POST, 1L);
        curl_easy_setopt(curl_, CURLOPT_POSTFIELDS, body.data());
        curl_easy_setopt(curl_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
        curl_easy_setopt(curl_, CURLOPT_HTTPHEADER, runHeaders_);
        return perform(url);
    }

private:
    Reply perform(const std::string& url) {
        Reply reply;
        curl_easy_setopt(curl_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl_, CURLOPT_TIMEOUT_MS, REQUEST_TIMEOUT_MS);
        curl_easy_setopt(curl_, CURLOPT_WRITEFUNCTION, appendBody);
        curl_easy_setopt(curl_, CURLOPT_WRITEDATA, &reply.body);
        const Clock::time_point asked = Clock::now();
        const CURLcode result = curl_easy_perform(curl_);
        reply.ms = std::chrono::duration<double, std::milli>(Clock::now() - asked).count();
        if (result == CURLE_OK) {
            curl_easy_getinfo(curl_, CURLINFO_RESPONSE_CODE, &reply.status);
        } else {
            reply.error = curl_easy_strerror(result);
        }
        return reply;
    }

    CURL* curl_;
    curl_slist* runHeaders_ = nullptr;
};

// What the clients share while the load runs.
struct Shared {
    const LoadPlan& plan;
    Clock::time_point start;
    Clock::time_point end;
    std::atomic<size_t> nextValid{0};
    std::atomic<uint64_t> invalidSent{0};
    std::mutex mutex;
    LoadFigures figures;

    explicit Shared(const LoadPlan& plan) : plan(plan) {}
};

// One client's figures, added to the whole when it is done.
struct ClientFigures {
    KindFigures kinds[KIND_COUNT];
    uint64_t validSent = 0;
    std::vector<KeptRun> kept;
    std::vector<std::string> unexpected;

    void count(Kind kind, const Reply& reply, long expected) {
        KindFigures& figures = kinds[static_cast<int>(kind)];
        ++figures.requests;
        figures.latenciesMs.push_back(reply.ms);
        if (reply.status != expected) {
            ++figures.unexpected;
            if (unexpected.size() < UNEXPECTED_SAMPLES_MAX) {
                unexpected.push_back(std::string(kindName(kind)) + ": " +
                                     (reply.status != 0 ? std::to_string(reply.status) + " " +
                                                              reply.body.substr(0, 120)
                                                        : reply.error));
            }
        }
    }

    void addTo(Shared& shared) {
        const std::lock_guard<std::mutex> lock(shared.mutex);
        LoadFigures& whole = shared.figures;
        for (int k = 0; k < KIND_COUNT; ++k) {
            whole.kinds[k].requests += kinds[k].requests;
            whole.kinds[k].unexpected += kinds[k].unexpected;
            whole.kinds[k].latenciesMs.insert(whole.kinds[k].latenciesMs.end(),
                                              kinds[k].latenciesMs.begin(),
                                              kinds[k].latenciesMs.end());
        }
        whole.validSent += validSent;
        whole.kept.insert(whole.kept.end(), kept.begin(), kept.end());
        for (std::string& sample : unexpected) {
            if (whole.unexpectedSamples.size() < UNEXPECTED_SAMPLES_MAX) {
                whole.unexpectedSamples.push_back(std::move(sample));
            }
        }
    }
};

Clock::time_point dueTime(const Shared& shared, unsigned sender, unsigned senders, uint64_t n,
                          double rate);

// Reader of readers: flat out, or its share of the readers' rate when one is set.
void readBoards(Shared& shared, unsigned client, unsigned reader, unsigned readers, bool pages) {
    Connection connection;
    ClientFigures figures;
    const std::vector<uint32_t>& circuits = shared.plan.circuits;
    std::this_thread::sleep_until(shared.start);
    for (size_t n = client; Clock::now() < shared.end; ++n) {
        if (shared.plan.readsPerSecond > 0) {
            std::this_thread::sleep_until(
                dueTime(shared, reader, readers, n - client, shared.plan.readsPerSecond));
            if (Clock::now() >= shared.end) {
                break;
            }
        }
        const uint32_t circuit = circuits[n % circuits.size()];
        const std::string path =
            pages ? "/circuits/" + std::to_string(circuit)
                  : "/api/v1/circuits/" + std::to_string(circuit) + "/board?limit=20";
        figures.count(pages ? Kind::PageRead : Kind::BoardRead,
                      connection.get(shared.plan.baseUrl + path), 200);
    }
    figures.addTo(shared);
}

// The n-th send of sender of senders, all of them together at rate a second.
Clock::time_point dueTime(const Shared& shared, unsigned sender, unsigned senders, uint64_t n,
                          double rate) {
    const double seconds = (static_cast<double>(sender) + static_cast<double>(n) * senders) / rate;
    return shared.start +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

void sendValid(Shared& shared, unsigned sender, unsigned senders) {
    Connection connection;
    ClientFigures figures;
    const std::string player = "Load " + std::to_string(sender);
    std::string token;
    for (uint64_t n = 0;; ++n) {
        std::this_thread::sleep_until(
            dueTime(shared, sender, senders, n, shared.plan.validPerSecond));
        if (Clock::now() >= shared.end) {
            break;
        }
        const size_t index = shared.nextValid++;
        if (index >= shared.plan.valid.size()) {
            break;  // every run made is sent: the rest would be refused as the same
        }
        ++figures.validSent;
        const Reply reply = connection.post(shared.plan.baseUrl + "/api/v1/runs",
                                            shared.plan.valid[index], player, token);
        figures.count(Kind::ValidRun, reply, 201);
        if (reply.status == 201) {
            const nlohmann::json answer = nlohmann::json::parse(reply.body, nullptr, false);
            if (answer.is_object() && answer.contains("run")) {
                figures.kept.push_back({answer["run"].get<int64_t>(), index});
                if (answer.contains("token")) {
                    token = answer["token"].get<std::string>();
                }
            }
        }
    }
    figures.addTo(shared);
}

void sendInvalid(Shared& shared, unsigned sender, unsigned senders) {
    Connection connection;
    ClientFigures figures;
    const std::string player = "Bad " + std::to_string(sender);
    for (uint64_t n = 0;; ++n) {
        std::this_thread::sleep_until(
            dueTime(shared, sender, senders, n, shared.plan.invalidPerSecond));
        if (Clock::now() >= shared.end) {
            break;
        }
        const bool garbage = shared.invalidSent++ % 2 == 0;
        const Reply reply =
            connection.post(shared.plan.baseUrl + "/api/v1/runs",
                            garbage ? shared.plan.garbage : shared.plan.tampered, player, "");
        figures.count(garbage ? Kind::GarbageRun : Kind::TamperedRun, reply, garbage ? 400 : 422);
    }
    figures.addTo(shared);
}
}  // namespace

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::BoardRead:
            return "board read";
        case Kind::PageRead:
            return "page read";
        case Kind::ValidRun:
            return "valid run";
        case Kind::GarbageRun:
            return "garbage run";
        case Kind::TamperedRun:
            return "tampered run";
    }
    return "?";
}

ClientShare shareClients(unsigned clients) {
    ClientShare share{};
    // Enough that a run answered in a second or two still leaves the rate met.
    share.validSenders = std::max(4u, clients / 10);
    share.invalidSenders = std::max(2u, clients / 20);
    share.pageReaders = clients / 10;
    const unsigned senders = share.validSenders + share.invalidSenders + share.pageReaders;
    share.boardReaders = clients > senders ? clients - senders : 1;
    return share;
}

LoadFigures runLoad(const LoadPlan& plan) {
    Shared shared(plan);
    const ClientShare share = shareClients(plan.clients);
    // Every thread made before the clock starts, so none is late for it.
    shared.start = Clock::now() + std::chrono::milliseconds(200 + 2 * plan.clients);
    shared.end = shared.start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(plan.seconds));
    std::vector<std::thread> clients;
    const unsigned readers = share.boardReaders + share.pageReaders;
    for (unsigned i = 0; i < share.boardReaders; ++i) {
        clients.emplace_back(readBoards, std::ref(shared), i, i, readers, false);
    }
    for (unsigned i = 0; i < share.pageReaders; ++i) {
        clients.emplace_back(readBoards, std::ref(shared), i, share.boardReaders + i, readers,
                             true);
    }
    for (unsigned i = 0; i < share.validSenders; ++i) {
        clients.emplace_back(sendValid, std::ref(shared), i, share.validSenders);
    }
    for (unsigned i = 0; i < share.invalidSenders; ++i) {
        clients.emplace_back(sendInvalid, std::ref(shared), i, share.invalidSenders);
    }
    for (std::thread& client : clients) {
        client.join();
    }
    shared.figures.seconds = std::chrono::duration<double>(Clock::now() - shared.start).count();
    return std::move(shared.figures);
}

double percentile(std::vector<double>& latencies, double q) {
    if (latencies.empty()) {
        return 0;
    }
    const size_t at = std::min(latencies.size() - 1,
                               static_cast<size_t>(q * static_cast<double>(latencies.size())));
    std::nth_element(latencies.begin(), latencies.begin() + static_cast<std::ptrdiff_t>(at),
                     latencies.end());
    return latencies[at];
}

}  // namespace boardload
