#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "saves/replay_file.h"

// The world board chosen in the settings, and the name runs go under.
struct WorldChoice {
    std::string board;
    std::string player;
};

// Sends the player's bests in the background, on a thread of its own: the
// race, the frame pacing and the menu never wait on it. Starts (or changes
// board) and sends what the outbox holds. Without a board or a name it ends
// the sender, if one runs: from then on nothing leaves the machine.
void startWorldSender(const WorldChoice& choice);

// A new best time trial: kept in the outbox at once, then sent, with the rest
// still waiting there. Nothing without a board chosen.
void sendBestToTheWorld(const Replay& best);

// What the finish panel says of circuit's best sent this run: "sent" while
// on its way, "world 12th of 340", "board unreachable, will send later" or
// the board's reason; nothing when none was sent.
std::optional<std::string> worldLineFor(uint32_t circuit);

// Ends any exchange under way at once and the thread with it.
void stopWorldSender();

// One run sent now, on this thread: the world line it came to.
struct WorldSend {
    enum class Outcome { Accepted, Refused, Unreachable };
    Outcome outcome = Outcome::Unreachable;
    std::string line;
};
WorldSend sendRunToTheWorld(const WorldChoice& choice, const std::string& bytes, uint32_t circuit,
                            const std::atomic<bool>* cancel = nullptr);

// "1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", ...
std::string ordinal(uint32_t n);
