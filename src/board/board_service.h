#pragma once

#include <memory>
#include <string>

#include "board/board_store.h"
#include "board/http_exchange.h"
#include "board/rate_limit.h"

struct BoardServiceOptions {
    // The board's own executable, started again to race each run.
    std::string childProgram;
    unsigned runsPerMinute = 20;  // from one address
};

// Every page and answer the board gives. Many threads call answer at once.
class BoardService {
public:
    BoardService(BoardStore& store, BoardServiceOptions options);

    HttpAnswer answer(const HttpAsk& ask);
    // A run is sent: it is raced again in a child, so it takes a while and
    // the server calls it off its event threads.
    static bool racesAgain(const HttpAsk& ask) {
        return ask.method == "POST" && ask.path == "/api/v1/runs";
    }

private:
    HttpAnswer sendRun(const HttpAsk& ask);
    HttpAnswer circuitBoard(uint32_t circuit, const HttpAsk& ask);
    HttpAnswer playerBests(const std::string& player);
    HttpAnswer runReplay(const std::string& id);
    HttpAnswer page(const HttpAsk& ask);

    BoardStore& store_;
    BoardServiceOptions options_;
    RateLimit rateLimit_;
};
