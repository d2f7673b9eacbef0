// What the board's tests share: the circuit their runs are of, a folder of
// their own, and a run sent as the game sends one.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/harness/board_process.h"
#include "support/harness/http_client.h"

namespace boardtest {

constexpr uint32_t CIRCUIT = 7;

inline std::string temporaryFolder() {
    char folder[] = "/tmp/zentrix-board-test-XXXXXX";
    return mkdtemp(folder);
}

struct TemporaryFolder {
    std::string path = temporaryFolder();
    ~TemporaryFolder() { std::filesystem::remove_all(path); }
};

inline testsupport::HttpReply sendRun(const testsupport::BoardProcess& board,
                                      const std::string& body, const std::string& player,
                                      const std::string& token = "", long timeoutMs = 15000) {
    std::vector<std::string> headers = {"Content-Type: application/octet-stream",
                                        "X-Zentrix-Player: " + player};
    if (!token.empty()) {
        headers.push_back("Authorization: Bearer " + token);
    }
    return testsupport::httpRequest("POST", board.url("/api/v1/runs"), body, headers, timeoutMs);
}

inline bool boardAnswers(const testsupport::BoardProcess& board) {
    return testsupport::httpRequest("GET", board.url("/api/v1/health"), "", {}, 3000).status == 200;
}

}  // namespace boardtest
