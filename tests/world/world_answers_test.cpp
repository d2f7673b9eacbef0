// The board's answers come from a stranger: each way one can go wrong is one
// quiet line, never a crash, and never a wait past the bound.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "world/board_answers.h"
#include "world/board_http.h"
#include "world/world_fetch.h"
#include "world/world_sender.h"

namespace {

// A server on 127.0.0.1 that answers every connection its own way: from a
// well-formed answer to silence, garbage or a flood.
class MisbehavingServer {
public:
    using Behaviour = std::function<void(int client)>;

    explicit MisbehavingServer(Behaviour behaviour) : behaviour_(std::move(behaviour)) {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        listen(listener_, 8);
        thread_ = std::thread([this] {
            while (true) {
                const int client = accept(listener_, nullptr, nullptr);
                if (client < 0 || stopping_) {
                    if (client >= 0) {
                        close(client);
                    }
                    return;
                }
                readRequest(client);
                behaviour_(client);
                close(client);
            }
        });
    }
    ~MisbehavingServer() {
        stopping_ = true;
        shutdown(listener_, SHUT_RDWR);
        close(listener_);
        thread_.join();
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

    // Reads the request's headers and the body its length names.
    static void readRequest(int client) {
        std::string request;
        char c = 0;
        const timeval wait{2, 0};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        while (request.find("\r\n\r\n") == std::string::npos && recv(client, &c, 1, 0) == 1) {
            request += c;
        }
        const size_t length = request.find("Content-Length: ");
        size_t body = length == std::string::npos ? 0 : std::stoul(request.substr(length + 16));
        while (body > 0 && recv(client, &c, 1, 0) == 1) {
            --body;
        }
    }
    static void say(int client, const std::string& text) {
        send(client, text.data(), text.size(), MSG_NOSIGNAL);
    }
    static Behaviour answering(int status, const std::string& body) {
        return [status, body](int client) {
            say(client, "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        };
    }

private:
    Behaviour behaviour_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

BoardExchangeLimits quick() {
    BoardExchangeLimits limits;
    limits.connectMs = 500;
    limits.totalMs = 800;
    return limits;
}

TEST(WorldAnswers, AStrangersAnswersAreOneQuietLineEach) {
    using Behaviour = MisbehavingServer::Behaviour;
    const auto silent = [](int) { std::this_thread::sleep_for(std::chrono::milliseconds(2500)); };
    const auto trickle = [](int client) {
        MisbehavingServer::say(client, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n");
        for (int i = 0; i < 30; ++i) {
            MisbehavingServer::say(client, "x");
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    };
    const auto flood = [](int client) {
        MisbehavingServer::say(client, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        const std::string chunk(64 * 1024, '[');
        for (int i = 0; i < 64 && send(client, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0; ++i) {
        }
    };
    const struct Case {
        const char* what;
        Behaviour behaviour;
        // What the game makes of it: a board page read, a run sent, a run fetched.
        bool boardRead;
        SentRun::Outcome sent;
    } cases[] = {
        {"a board as it should be",
         MisbehavingServer::answering(
             200,
             R"({"circuit":7,"total":1,"entries":[{"rank":1,"player":"Ann","race_ms":188633,"run":4}],"pilot_ms":188633})"),
         true, SentRun::Outcome::Unreachable},
        {"a run taken", MisbehavingServer::answering(201, R"({"run":4,"rank":12})"), false,
         SentRun::Outcome::Accepted},
        {"a run refused, with the board's reason",
         MisbehavingServer::answering(422, R"({"error":"does not verify"})"), false,
         SentRun::Outcome::Refused},
        {"refused, with no reason", MisbehavingServer::answering(409, "<html>"), false,
         SentRun::Outcome::Refused},
        {"too many: kept for later", MisbehavingServer::answering(429, "{}"), false,
         SentRun::Outcome::Unreachable},
        {"the board in trouble: kept for later", MisbehavingServer::answering(503, "{}"), false,
         SentRun::Outcome::Unreachable},
        {"JSON that is not what was asked", MisbehavingServer::answering(200, R"([1,2,3])"), false,
         SentRun::Outcome::Unreachable},
        {"numbers of the wrong kind",
         MisbehavingServer::answering(
             201, R"({"rank":-3,"total":"many","entries":[{"rank":1.5,"player":7}]})"),
         false, SentRun::Outcome::Unreachable},
        {"not JSON at all", MisbehavingServer::answering(200, "\x01\xff{{{"), false,
         SentRun::Outcome::Unreachable},
        {"silent", silent, false, SentRun::Outcome::Unreachable},
        {"a byte now and then", trickle, false, SentRun::Outcome::Unreachable},
        {"a body past any bound", flood, false, SentRun::Outcome::Unreachable},
        {"closed at once", [](int) {}, false, SentRun::Outcome::Unreachable},
    };
    for (const Case& c : cases) {
        MisbehavingServer server(c.behaviour);
        const auto start = std::chrono::steady_clock::now();
        const WorldBoard board = readWorldBoard(
            askBoard("GET", server.url(), "/api/v1/circuits/7/board", "", "", "", quick()));
        const SentRun sent =
            readSentRun(askBoard("POST", server.url(), "/api/v1/runs", "run", "Ann", "", quick()));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(board.read, c.boardRead) << c.what;
        EXPECT_EQ(sent.outcome, c.sent) << c.what << ": " << sent.reason;
        for (const std::string& line : {board.problem, sent.reason}) {
            EXPECT_EQ(line.find('\n'), std::string::npos) << c.what;
            EXPECT_LE(line.size(), 120u) << c.what;
        }
        EXPECT_LT(seconds, 4.0) << c.what;
        std::cout << c.what << ": board " << (board.read ? "read" : board.problem) << "; run "
                  << (sent.outcome == SentRun::Outcome::Accepted ? "taken" : sent.reason) << " ("
                  << seconds << " s)\n";
    }
}

TEST(WorldAnswers, NoBoardThereOrNoRunInTheAnswer) {
    // A port nothing listens on: refused at once.
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    const std::string nobody = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    const WorldSend sent = sendRunToTheWorld({nobody, "Ann"}, "run", 7);
    EXPECT_EQ(sent.outcome, WorldSend::Outcome::Unreachable);
    EXPECT_EQ(sent.line, "board unreachable, will send later");
    EXPECT_FALSE(askBoard("GET", "file:///etc/passwd", "").reached);

    MisbehavingServer server(MisbehavingServer::answering(200, "ZENTRIXR but no replay"));
    std::string problem;
    EXPECT_FALSE(worldRun({server.url(), "Ann"}, 4, problem));
    EXPECT_NE(problem.find("no replay"), std::string::npos) << problem;
}

TEST(WorldAnswers, ACertificateThatDoesNotCheckIsRefused) {
    char folder[] = "/tmp/zentrix-tls-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string key = std::string(folder) + "/key.pem";
    const std::string cert = std::string(folder) + "/cert.pem";
    ASSERT_EQ(
        std::system(
            ("openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " +
             key + " -out " + cert + " 2>/dev/null")
                .c_str()),
        0);
    const int port = 20000 + getpid() % 20000;
    const pid_t tls = fork();
    if (tls == 0) {
        execlp("openssl", "openssl", "s_server", "-quiet", "-www", "-accept",
               std::to_string(port).c_str(), "-cert", cert.c_str(), "-key", key.c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    BoardReply reply;
    for (int tries = 0; tries < 50; ++tries) {  // until it listens
        reply = askBoard("GET", "https://127.0.0.1:" + std::to_string(port), "/api/v1/today", "",
                         "", "", quick());
        if (reply.problem.find("onnect") == std::string::npos) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(tls, SIGKILL);
    waitpid(tls, nullptr, 0);
    std::system(("rm -rf " + std::string(folder)).c_str());
    EXPECT_FALSE(reply.reached);
    EXPECT_NE(reply.problem.find("board unreachable"), std::string::npos) << reply.problem;
    std::cout << "self-signed certificate: " << reply.problem << "\n";
}

TEST(WorldAnswers, WhatTheGameShows) {
    EXPECT_EQ(shownText("Ann\x1b[2J\n<b>"), "Ann?[2J?<b>");
    EXPECT_EQ(shownText(std::string(100, 'x')).size(), 60u);
    const struct {
        uint32_t n;
        const char* text;
    } ordinals[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},     {11, "11th"},
                    {12, "12th"}, {13, "13th"}, {21, "21st"}, {112, "112th"}, {1001, "1001st"}};
    for (const auto& o : ordinals) {
        EXPECT_EQ(ordinal(o.n), o.text);
    }
}

}  // namespace
