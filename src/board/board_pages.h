// board: the board's web pages, each a whole HTML document made from what the
// store answered; no script, nothing fetched from elsewhere.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/board_store.h"
#include "board/html_text.h"

// "/": the circuit of the day (todayDate as "2026-12-09") and how to race it,
// and the circuits with the most runs kept.
std::string homePage(const std::string& todayDate, uint32_t todayCircuit,
                     const std::vector<RacedCircuit>& mostRaced);

// "/circuits/N": the circuit's map (an SVG document from circuitMapSvg, shown
// inline), how to race it, the pilot's time when known, and one page of its
// board, offset runs in, with links to the pages before and after.
std::string circuitPage(uint32_t circuit, const std::string& mapSvg, const BoardPage& board,
                        std::optional<uint32_t> pilotMs, uint32_t offset, uint32_t limit);

// "/players/NAME": the player's best on each circuit they raced, with its rank.
std::string playerPage(const std::string& player, const std::vector<BoardEntry>& bests);

// Anything the board does not have; what names it, as asked.
std::string notFoundPage(const std::string& what);
