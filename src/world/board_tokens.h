#pragma once

#include <string>

// The tokens boards gave for the player's names, one line a board and name,
// "BOARD<tab>NAME<tab>TOKEN", in <config folder>/board-token, private to the
// player (0600): never in settings.ini, never printed. A name changed in the
// settings keeps its own token, so going back to it later still works.
std::string boardTokensPath();

// The token kept for player on board, or "" when there is none.
std::string tokenForBoard(const std::string& board, const std::string& player);

// Keeps token for player on board, replacing the one kept before; false with why.
bool keepTokenForBoard(const std::string& board, const std::string& player,
                       const std::string& token, std::string& failure);
