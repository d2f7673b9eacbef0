#pragma once

#include <string>

// The tokens boards gave for the player's name, one line a board, "BOARD
// TOKEN", in <config folder>/board-token, private to the player (0600): never
// in settings.ini, never printed.
std::string boardTokensPath();

// The token kept for board, or "" when there is none.
std::string tokenForBoard(const std::string& board);

// Keeps token for board, replacing the one kept before; false with why.
bool keepTokenForBoard(const std::string& board, const std::string& token, std::string& failure);
