// world: the world board asked over the network, only when the player chose one; no GL or SDL.
#pragma once

#include <atomic>
#include <string>

// What came back from the board, or why nothing did.
struct BoardReply {
    bool reached = false;  // an HTTP answer came, of any status
    long status = 0;
    std::string body;     // at most the bound asked for
    std::string problem;  // one quiet line when not reached, or the body was too large
};

// The bounds on one exchange: the race never waits on it (it runs off the
// game's thread), but a silent board must not hold a worker for ever either.
struct BoardExchangeLimits {
    long connectMs = 3000;
    long totalMs = 6000;
    size_t bodyBytesMax = 256 * 1024;
    // Set when the game ends: the exchange stops at once.
    const std::atomic<bool>* cancel = nullptr;
};

// GET or POST board + path, with the proxy the environment names, TLS
// certificates checked against the system's. body and headers are sent as
// given; a POST's body is a replay. No redirect is followed.
BoardReply askBoard(const std::string& method, const std::string& board, const std::string& path,
                    const std::string& body = "", const std::string& player = "",
                    const std::string& token = "", const BoardExchangeLimits& limits = {});

// Percent-encoded for a path segment: a player's name in /api/v1/players/NAME.
std::string pathSegment(const std::string& text);
