#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/board_http.h"

// The board's answers read as a stranger's: anything not of the shape asked
// for is one quiet line, never a crash, never text that reaches the screen
// unchecked.

// What a run sent came to.
struct SentRun {
    enum class Outcome { Accepted, Refused, Unreachable };
    Outcome outcome = Outcome::Unreachable;
    uint32_t rank = 0;
    std::string token;   // when the name was claimed by this run
    std::string reason;  // the board's reason when refused, or why it was not reached
};
SentRun readSentRun(const BoardReply& reply);

struct WorldRow {
    uint32_t rank = 0;
    std::string player;
    uint32_t raceMs = 0;
    int64_t run = 0;
};

struct WorldBoard {
    bool read = false;
    std::string problem;
    uint32_t total = 0;
    std::vector<WorldRow> rows;
    std::optional<uint32_t> pilotMs;
};
WorldBoard readWorldBoard(const BoardReply& reply);

// The circuit of the day from /api/v1/today.
std::optional<uint32_t> readCircuitOfTheDay(const BoardReply& reply, std::string& problem);

// The player's rank on circuit from /api/v1/players/NAME; nothing when they
// have no run there (or the answer is no such list).
std::optional<uint32_t> readPlayerRank(const BoardReply& reply, uint32_t circuit);

// A board's text for the menu or the panel: printable ASCII only, at most
// `most` characters, so a stranger's bytes draw as the overlay font can.
std::string shownText(const std::string& text, size_t most = 60);
