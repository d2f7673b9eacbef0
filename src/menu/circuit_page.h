#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "menu/menu_item.h"
#include "world/world_fetch.h"

// The circuit line's medal: the next one to win and its time ("gold
// 4:12.300"), or the pilot's own once it is beaten; nothing before the
// circuit's first time trial worked its medal times out.
std::string medalGoalText(uint32_t circuit);

// The page Enter opens on the circuit line: the circuit raced or time
// trialled, the pilot's run watched or raced as a ghost, and its medal times;
// with a board chosen, the world's best runs of it too. Built afresh each
// frame, so the world lines fill in as the fetch comes back.
std::vector<MenuItem> circuitPageItems(uint32_t circuit, const std::function<void()>& back);
// The same with the world as given.
std::vector<MenuItem> circuitPageItems(uint32_t circuit, const std::function<void()>& back,
                                       const WorldPage& world);

// The page opens: with a board chosen, the world's lines are asked for in
// the background.
void openCircuitPage(uint32_t circuit);
