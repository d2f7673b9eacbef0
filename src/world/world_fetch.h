#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "world/board_answers.h"
#include "world/world_sender.h"

// The world as the circuit page shows it, fetched in the background when the
// page opens: the board's top ten, the player's own rank, and each row's run,
// downloaded and read by the game's own replay reader as any stranger's file.
struct WorldPage {
    enum class State { Off, Waiting, Shown, Offline };
    State state = State::Off;
    uint32_t circuit = 0;
    WorldBoard board;
    std::optional<uint32_t> playerRank;
    std::string problem;                      // the quiet line when offline
    // Beside board.rows, null when it was no good. Shared, as the menu reads
    // the page again every frame.
    std::vector<std::shared_ptr<const Replay>> runs;
};

constexpr uint32_t WORLD_ROWS_SHOWN = 10;

// Starts fetching circuit's page; one asked for earlier is dropped.
void fetchWorldPage(const WorldChoice& choice, uint32_t circuit);
// As fetched so far: Waiting until the answers are in.
WorldPage worldPageNow(uint32_t circuit);

// The circuit of the day, fetched in the background once a board is chosen.
void fetchCircuitOfTheDay(const WorldChoice& choice);
std::optional<uint32_t> circuitOfTheDayNow();

// The same, waited for here (for --today); the quiet line in problem.
std::optional<uint32_t> circuitOfTheDayFrom(const WorldChoice& choice, std::string& problem);

// The run downloaded and read, or nothing with why.
std::optional<Replay> worldRun(const WorldChoice& choice, int64_t run, std::string& problem,
                               const std::atomic<bool>* cancel = nullptr);

// Ends the fetches under way at once.
void stopWorldFetches();
