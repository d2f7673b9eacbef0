// The board's load: many clients at once, each on a connection it keeps,
// reading boards and pages and sending runs good and bad, for a while.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace boardload {

enum class Kind { BoardRead, PageRead, ValidRun, GarbageRun, TamperedRun };
constexpr int KIND_COUNT = 5;
const char* kindName(Kind kind);

struct LoadPlan {
    std::string baseUrl;  // "http://127.0.0.1:PORT"
    unsigned clients = 200;
    double seconds = 30;
    std::vector<uint32_t> circuits;  // those read, each with entries
    std::vector<std::string> valid;  // distinct runs, each sent once at most
    std::string garbage;             // not a run at all: 400
    std::string tampered;            // a run whose end is not its own: 422
    double validPerSecond = 20;      // all valid senders together
    double invalidPerSecond = 10;    // all invalid senders together
    double readsPerSecond = 0;       // all readers together; 0: each flat out
};

// A valid run the board answered 201, and the bytes sent.
struct KeptRun {
    int64_t id = 0;
    size_t valid = 0;  // index in LoadPlan::valid
};

struct KindFigures {
    uint64_t requests = 0;
    uint64_t unexpected = 0;  // transport errors and statuses other than the one expected
    std::vector<double> latenciesMs;
};

struct LoadFigures {
    double seconds = 0;  // from the first client starting to the last one done
    KindFigures kinds[KIND_COUNT];
    uint64_t validSent = 0;
    std::vector<KeptRun> kept;
    std::vector<std::string> unexpectedSamples;  // a few, to say what went wrong
};

// How the clients are shared out among the kinds, for a number of clients.
struct ClientShare {
    unsigned boardReaders, pageReaders, validSenders, invalidSenders;
};
ClientShare shareClients(unsigned clients);

LoadFigures runLoad(const LoadPlan& plan);

// The value at fraction q (0..1) of the sorted latencies, or 0 when none.
double percentile(std::vector<double>& latencies, double q);

}  // namespace boardload
