#include "board/http_server.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>

#include "board/run_check.h"
#include "board/work_queue.h"

// What the server's own state is made of; named, as HttpServer::Inner holds it.
namespace boardhttp {
using Clock = std::chrono::steady_clock;

enum class Stage { Receiving, Racing, Answered };

// One request, from its first call to the answer queued.
struct Exchange {
    HttpAsk ask;
    Stage stage = Stage::Receiving;
    bool tooLarge = false;
    HttpAnswer answer;
};

// Where each open connection's current request began; the watch cuts off
// those that take too long to arrive, which the server's own idle timeout
// would not, as a byte now and then keeps a connection busy.
struct ConnectionClock {
    int fd = -1;
    Clock::time_point since;
    bool answering = false;  // the request is whole: the board is at work on it
};
}  // namespace boardhttp

using boardhttp::Clock;
using boardhttp::ConnectionClock;
using boardhttp::Exchange;
using boardhttp::Stage;

namespace {
// Headers past this are refused by the server itself; a run's body is
// gathered apart from them, up to its own bound.
constexpr size_t CONNECTION_MEMORY_BYTES = 32 * 1024;
constexpr size_t RUNS_WAITING_MAX = 1000;

std::string peerAddress(MHD_Connection* connection) {
    const MHD_ConnectionInfo* info =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    if (info == nullptr || info->client_addr == nullptr) {
        return "";
    }
    char text[INET6_ADDRSTRLEN] = "";
    const sockaddr* address = info->client_addr;
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text,
                  sizeof text);
    } else if (address->sa_family == AF_INET6) {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
                  sizeof text);
    }
    return text;
}

std::string headerOf(MHD_Connection* connection, const char* name) {
    const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    return value != nullptr ? value : "";
}

// The last address a proxy added, the one it saw the request come from.
std::string lastForwardedAddress(const std::string& forwarded) {
    const size_t comma = forwarded.rfind(',');
    std::string last = comma == std::string::npos ? forwarded : forwarded.substr(comma + 1);
    last.erase(0, last.find_first_not_of(' '));
    last.erase(last.find_last_not_of(' ') + 1);
    return last;
}

MHD_Result addQueryValue(void* cls, MHD_ValueKind, const char* key, const char* value) {
    auto* query = static_cast<std::map<std::string, std::string>*>(cls);
    if (key != nullptr) {
        (*query)[key] = value != nullptr ? value : "";
    }
    return MHD_YES;
}

MHD_Result send(MHD_Connection* connection, const HttpAnswer& answer) {
    MHD_Response* response = MHD_create_response_from_buffer(
        answer.body.size(), const_cast<char*>(answer.body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) {
        return MHD_NO;
    }
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, answer.contentType.c_str());
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    // The pages need no script, so none may run, whatever a name holds.
    MHD_add_response_header(response, "Content-Security-Policy",
                            "default-src 'none'; style-src 'unsafe-inline'; img-src 'self'");
    for (const auto& [name, value] : answer.headers) {
        MHD_add_response_header(response, name.c_str(), value.c_str());
    }
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
    MHD_destroy_response(response);
    return queued;
}
}  // namespace

struct HttpServer::Inner {
    BoardService& service;
    HttpServerOptions options;
    MHD_Daemon* daemon = nullptr;
    WorkQueue races;

    std::mutex clocksMutex;
    std::map<MHD_Connection*, ConnectionClock> clocks;
    std::mutex watchMutex;
    std::condition_variable watchWake;
    bool stopping = false;
    std::thread watch;

    Inner(BoardService& service, const HttpServerOptions& options)
        : service(service),
          options(options),
          races(std::max(4u, 2 * std::thread::hardware_concurrency()), RUNS_WAITING_MAX) {}

    void setAnswering(MHD_Connection* connection, bool answering) {
        const std::lock_guard<std::mutex> lock(clocksMutex);
        const auto found = clocks.find(connection);
        if (found != clocks.end()) {
            found->second.answering = answering;
            found->second.since = Clock::now();
        }
    }

    void watchTheClocks() {
        std::unique_lock<std::mutex> lock(watchMutex);
        while (!watchWake.wait_for(lock, std::chrono::milliseconds(250),
                                   [this] { return stopping; })) {
            const Clock::time_point late =
                Clock::now() - std::chrono::seconds(options.requestSeconds);
            const std::lock_guard<std::mutex> clocksLock(clocksMutex);
            for (const auto& [connection, clock] : clocks) {
                // Shut, not closed: the server closes it as it would any peer gone.
                if (!clock.answering && clock.since < late) {
                    shutdown(clock.fd, SHUT_RDWR);
                }
            }
        }
    }

    MHD_Result handle(MHD_Connection* connection, const char* url, const char* method,
                      const char* upload, size_t* uploadSize, void** context) {
        auto* exchange = static_cast<Exchange*>(*context);
        if (exchange == nullptr) {
            exchange = new Exchange;
            *context = exchange;
            exchange->ask.method = method;
            exchange->ask.path = url;
            MHD_get_connection_values(connection, MHD_GET_ARGUMENT_KIND, addQueryValue,
                                      &exchange->ask.query);
            exchange->ask.player = headerOf(connection, "X-Zentrix-Player");
            exchange->ask.authorization = headerOf(connection, MHD_HTTP_HEADER_AUTHORIZATION);
            exchange->ask.address =
                options.behindProxy ? lastForwardedAddress(headerOf(connection, "X-Forwarded-For"))
                                    : peerAddress(connection);
            // Refused before a byte of it is read when it says it is too large.
            const std::string length = headerOf(connection, MHD_HTTP_HEADER_CONTENT_LENGTH);
            if (!length.empty() && (length.size() > 9 || std::strtoull(length.c_str(), nullptr,
                                                                       10) > RUN_FILE_MAX_BYTES)) {
                exchange->stage = Stage::Answered;
                return send(connection, errorAnswer(413, "a run is at most 65536 bytes"));
            }
            return MHD_YES;
        }
        if (exchange->stage == Stage::Receiving && *uploadSize != 0) {
            if (exchange->ask.body.size() + *uploadSize > RUN_FILE_MAX_BYTES) {
                exchange->tooLarge = true;
                exchange->ask.body.clear();
            } else if (!exchange->tooLarge) {
                exchange->ask.body.append(upload, *uploadSize);
            }
            *uploadSize = 0;
            return MHD_YES;
        }
        if (exchange->stage == Stage::Answered) {
            return send(connection, exchange->answer);
        }
        if (exchange->stage == Stage::Racing) {
            return MHD_YES;  // woken before the answer is ready: not done yet
        }
        setAnswering(connection, true);
        if (exchange->tooLarge) {
            exchange->stage = Stage::Answered;
            return send(connection, errorAnswer(413, "a run is at most 65536 bytes"));
        }
        if (!BoardService::racesAgain(exchange->ask)) {
            exchange->stage = Stage::Answered;
            return send(connection, service.answer(exchange->ask));
        }
        // What can be refused at once is, without waiting behind the races.
        if (std::optional<HttpAnswer> refused = service.refusalBeforeRacing(exchange->ask)) {
            exchange->stage = Stage::Answered;
            return send(connection, *refused);
        }
        exchange->stage = Stage::Racing;
        MHD_suspend_connection(connection);
        const bool given = races.give([this, connection, exchange] {
            exchange->answer = service.raceAndKeep(exchange->ask);
            exchange->stage = Stage::Answered;
            MHD_resume_connection(connection);
        });
        if (!given) {
            exchange->answer =
                errorAnswer(503, "the board has too many runs to race; try again soon");
            exchange->answer.headers.emplace_back("Retry-After", "10");
            exchange->stage = Stage::Answered;
            MHD_resume_connection(connection);
        }
        return MHD_YES;
    }
};

namespace {
MHD_Result handleRequest(void* cls, MHD_Connection* connection, const char* url, const char* method,
                         const char*, const char* upload, size_t* uploadSize, void** context) {
    return static_cast<HttpServer::Inner*>(cls)->handle(connection, url, method, upload, uploadSize,
                                                        context);
}

void requestDone(void* cls, MHD_Connection* connection, void** context,
                 MHD_RequestTerminationCode) {
    delete static_cast<Exchange*>(*context);
    *context = nullptr;
    static_cast<HttpServer::Inner*>(cls)->setAnswering(connection, false);
}

void connectionChanged(void* cls, MHD_Connection* connection, void**,
                       MHD_ConnectionNotificationCode code) {
    auto* inner = static_cast<HttpServer::Inner*>(cls);
    const std::lock_guard<std::mutex> lock(inner->clocksMutex);
    if (code == MHD_CONNECTION_NOTIFY_STARTED) {
        const MHD_ConnectionInfo* info =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
        if (info != nullptr) {
            inner->clocks[connection] = ConnectionClock{info->connect_fd, Clock::now(), false};
        }
    } else {
        inner->clocks.erase(connection);
    }
}
}  // namespace

HttpServer::HttpServer(BoardService& service, const HttpServerOptions& options)
    : inner_(std::make_unique<Inner>(service, options)) {}

HttpServer::~HttpServer() {
    if (inner_->daemon != nullptr) {
        MHD_stop_daemon(inner_->daemon);
    }
    {
        const std::lock_guard<std::mutex> lock(inner_->watchMutex);
        inner_->stopping = true;
    }
    inner_->watchWake.notify_all();
    if (inner_->watch.joinable()) {
        inner_->watch.join();
    }
}

bool HttpServer::start() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(inner_->options.port);
    if (inet_pton(AF_INET, inner_->options.address.c_str(), &address.sin_addr) != 1) {
        std::cerr << "zentrix-board: " << inner_->options.address << " is not an IPv4 address\n";
        return false;
    }
    // No log of each stranger's broken request: anyone could fill the journal.
    const unsigned flags =
        MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME;
    inner_->daemon = MHD_start_daemon(
        flags, 0, nullptr, nullptr, handleRequest, inner_.get(), MHD_OPTION_SOCK_ADDR,
        reinterpret_cast<sockaddr*>(&address), MHD_OPTION_THREAD_POOL_SIZE,
        inner_->options.eventThreads, MHD_OPTION_CONNECTION_LIMIT, 4000u,
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, inner_->options.connectionsPerAddress,
        MHD_OPTION_CONNECTION_TIMEOUT, inner_->options.requestSeconds + 5,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, CONNECTION_MEMORY_BYTES, MHD_OPTION_LISTEN_BACKLOG_SIZE,
        1024u, MHD_OPTION_NOTIFY_COMPLETED, requestDone, inner_.get(), MHD_OPTION_NOTIFY_CONNECTION,
        connectionChanged, inner_.get(), MHD_OPTION_END);
    if (inner_->daemon == nullptr) {
        std::cerr << "zentrix-board: cannot listen on " << inner_->options.address << ":"
                  << inner_->options.port << "\n";
        return false;
    }
    inner_->watch = std::thread([this] { inner_->watchTheClocks(); });
    return true;
}

uint16_t HttpServer::port() const {
    const MHD_DaemonInfo* info = MHD_get_daemon_info(inner_->daemon, MHD_DAEMON_INFO_BIND_PORT);
    return info != nullptr ? info->port : 0;
}
