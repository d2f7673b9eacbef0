#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "board/board_service.h"

struct HttpServerOptions {
    std::string address = "127.0.0.1";
    uint16_t port = 8080;  // 0: any free one, read back with HttpServer::port
    // A request must arrive whole this long after the connection opened or
    // the last answer went: a client sending a byte a second is cut off.
    unsigned requestSeconds = 10;
    unsigned connectionsPerAddress = 256;
    unsigned eventThreads = 4;
    // Behind a TLS proxy every peer is the proxy: the address for the rate
    // limit is then the last one in X-Forwarded-For.
    bool behindProxy = false;
};

// The board on HTTP: a few event threads hold every connection, however
// slow; runs sent are raced again on threads of their own meanwhile.
class HttpServer {
public:
    HttpServer(BoardService& service, const HttpServerOptions& options);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // False, with why on standard error, when the address cannot be listened on.
    bool start();
    uint16_t port() const;

    struct Inner;

private:
    std::unique_ptr<Inner> inner_;
};
