#pragma once

#include <memory>
#include <optional>
#include <string>

#include "board/answer_cache.h"
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
    // the server calls raceAndKeep off its event threads, once
    // refusalBeforeRacing, quick, has found nothing against it.
    static bool racesAgain(const HttpAsk& ask) {
        return ask.method == "POST" && ask.path == "/api/v1/runs";
    }
    std::optional<HttpAnswer> refusalBeforeRacing(const HttpAsk& ask);
    HttpAnswer raceAndKeep(const HttpAsk& ask);

private:
    HttpAnswer sendRun(const HttpAsk& ask);
    HttpAnswer raceAndKeepIn(const HttpAsk& ask);
    HttpAnswer circuitBoard(uint32_t circuit, const HttpAsk& ask);
    HttpAnswer playerBests(const std::string& player);
    HttpAnswer runReplay(const std::string& id);
    HttpAnswer page(const HttpAsk& ask);

    // Boards sharing one database see each other's new runs within this.
    static constexpr std::chrono::milliseconds ANSWERS_FRESH_FOR{1000};
    static constexpr size_t ANSWERS_HELD_MAX = 4096;

    BoardStore& store_;
    BoardServiceOptions options_;
    RateLimit rateLimit_;
    AnswerCache answers_;
};
