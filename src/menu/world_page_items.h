#pragma once

#include <functional>
#include <vector>

#include "menu/menu_item.h"
#include "world/world_fetch.h"

// The circuit page's world lines, as the page fetched so far shows them:
// none without a board, "..." while the board is asked, one quiet line
// when it cannot be, else its top ten and the player's own rank. Select on
// a row whose run came down races that run as the ghost (raceRun); the
// first row's is offered first as the world record.
std::vector<MenuItem> worldPageItems(const WorldPage& page,
                                     const std::function<void(const Replay&)>& raceRun);
