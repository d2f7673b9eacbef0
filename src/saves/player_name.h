// saves: everything kept on disk between runs, written whole or not at all; no GL, SDL or OpenAL.
#pragma once

#include <string>

// A player's name on the world board: 1 to 24 characters: ASCII letters, digits, '-', '_', '.', and
// spaces between the others (never first or last), with at least one letter or digit, so a name
// reads the same on every page and in every terminal.
bool isPlayerName(const std::string& name);

constexpr size_t PLAYER_NAME_MAX = 24;

// A world board's address as the settings keep it: "http://..." or
// "https://..." of printable ASCII with no spaces and no slash at its end, at
// most 200 bytes.
bool isBoardAddress(const std::string& board);
