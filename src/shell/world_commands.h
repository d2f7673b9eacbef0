#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "world/world_sender.h"

// --send FILE: the replay read and sent to the board chosen, under the name
// chosen, now; the world line it came to printed on out. 0 when the board
// took it, 1 when it refused it (its reason printed), 2 when it could not be
// reached, when no board or name is chosen, or when FILE is no replay the
// game can read (each one line on err).
int sendReplayCommand(const std::string& path, const WorldChoice& choice, std::ostream& out,
                      std::ostream& err);

constexpr int SEND_REFUSED_STATUS = 1;
constexpr int SEND_UNREACHABLE_STATUS = 2;

// --today: the circuit of the day, asked of the board chosen and waited for
// within the board's bounds; when there is no board or no answer, one line
// on err and the classic circuit.
uint32_t circuitOfTheDayOrClassic(const WorldChoice& choice, std::ostream& err);

// The game's own link to the world board for this run: the sender and the
// circuit of the day when a board is chosen, and a new best time trial sent
// as it is kept. Nothing leaves the machine without a board.
void linkTheWorld();
// The exchanges under way ended, at once.
void unlinkTheWorld();
