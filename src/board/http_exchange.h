#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// A request as the board's handlers see it, whatever serves the HTTP.
struct HttpAsk {
    std::string method;
    std::string path;  // decoded, without the query
    std::map<std::string, std::string> query;
    std::string player;         // X-Zentrix-Player
    std::string authorization;  // Authorization
    std::string address;        // the peer's, for the rate limit
    std::string body;
};

struct HttpAnswer {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
};

// {"error": reason} with status.
HttpAnswer errorAnswer(int status, const std::string& reason);
