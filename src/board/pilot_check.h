#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "board/board_store.h"

// The game's own craft: six parts, each drawing a colour at the grid, as the
// pilot's runs in the game say. A test reads the game's data to hold this to it.
constexpr uint32_t GAME_CRAFT_PARTS = 6;

// The pilot's own time trial of circuit, worked out in a child (childProgram
// "--pilot-run N") once and kept in the store after; nothing when the child
// failed.
std::optional<PilotRun> pilotRunFor(uint32_t circuit, BoardStore& store,
                                    const std::string& childProgram);

// The child's side: writes the pilot's replay of circuit on out.
int pilotRunInThisProcess(uint32_t circuit, std::ostream& out);
